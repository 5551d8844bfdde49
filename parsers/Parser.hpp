#pragma once
// The parser interface: an import request's data -> a catalogue item.
#include <memory>

#include "BaseItem.hpp"
#include "ComplexMaterial.hpp"
#include "Library.hpp"
#include "LibraryPart.hpp"
#include "Material.hpp"

namespace KRV {

// Turns an import request's data into a catalogue item.
class Parser {
public:
    virtual ~Parser() = default;
    virtual std::unique_ptr<BaseItem> GetItem(const GS::UniString& text) = 0;
    virtual std::unique_ptr<Material> GetMaterial(const json& data) = 0;
    virtual std::unique_ptr<ComplexMaterial> GetComplexMaterial(const json& data) = 0;
    virtual std::unique_ptr<LibraryPart> GetLibraryPart(const json& data) = 0;
    virtual std::unique_ptr<Library> GetLibrary(const json& data) = 0;
};

class JsonParser : public virtual Parser {};

} // namespace KRV
