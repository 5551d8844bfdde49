#pragma once
// A library part (the catalogue's "product") as the catalogue describes it, read from JSON.
#include "CatalogueFile.hpp"
#include "LibraryPart.hpp"

namespace KRV {

class KorvelLibraryPart : public CatalogueFile<LibraryPart> {};

void from_json(const json& j, KorvelLibraryPart& item);

} // namespace KRV
