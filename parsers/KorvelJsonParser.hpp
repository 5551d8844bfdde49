#pragma once
// Reads the catalogue's JSON into items: materials, composites, library parts and containers.
#include "Parser.hpp"

namespace KRV {

class KorvelJsonParser : public virtual JsonParser {
public:
    std::unique_ptr<BaseItem> GetItem(const GS::UniString& text) override;
    // Also reads the composite layer the material belongs to, when the request names one.
    std::unique_ptr<Material> GetMaterial(const json& data) override;
    // Also reads which host composite the composite replaces, when the request names one.
    std::unique_ptr<ComplexMaterial> GetComplexMaterial(const json& data) override;
    std::unique_ptr<LibraryPart> GetLibraryPart(const json& data) override;
    std::unique_ptr<Library> GetLibrary(const json& data) override;

private:
    json data; // never set; kept for the parser family's shape
};

} // namespace KRV
