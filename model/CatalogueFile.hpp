#pragma once
// The catalogue data that library parts and libraries share: the service's id, the
// file's name, address and preview, and the data-sheet properties.
#include "KorvelProperties.hpp"

namespace KRV {

struct CatalogueFile {
    GS::UniString id = "Undefined";
    GS::UniString name;
    GS::UniString file;
    GS::UniString path;
    GS::UniString image;
    KorvelProperties properties;
};

} // namespace KRV
