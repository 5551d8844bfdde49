#pragma once
// A library container as the catalogue describes it, read from JSON.
#include "CatalogueFile.hpp"
#include "Library.hpp"

namespace KRV {

class KorvelLibrary : public CatalogueFile<Library> {};

void from_json(const json& j, KorvelLibrary& item);

} // namespace KRV
