// Reads the catalogue's JSON into items: materials, composites, library parts and containers.
#include "KorvelJsonParser.hpp"

#include <string>

#include "DBPrintf.h"
#include "JsonInteger.hpp"
#include "KorvelComplexMaterial.hpp"
#include "KorvelLibrary.hpp"
#include "KorvelLibraryPart.hpp"
#include "KorvelMaterial.hpp"

namespace KRV {
namespace {

// The service sends these ids as decimal texts.
Int32 IdFromText(const json& value)
{
    return std::stoi(value.get<std::string>());
}

} // namespace

std::unique_ptr<BaseItem> KorvelJsonParser::GetItem(const GS::UniString& text)
{
    DBPrintf("%s\n", text.ToCStr().Get());
    return nullptr;
}

std::unique_ptr<Material> KorvelJsonParser::GetMaterial(const json& data)
{
    auto material = std::make_unique<KorvelMaterial>();
    from_json(data, *material);
    std::unique_ptr<Material> result = std::move(material);
    if (data.is_object() && data.contains("system_internal_id")) {
        result->inSystem = true;
        result->systemInternalId = IdFromText(data.at("system_internal_id"));
        result->layerIndex = IdFromText(data.at("layer_index"));
        result->internalLayerIndex = ReadInteger<Int32>(data.at("internal_layer_index"));
    }
    return result;
}

std::unique_ptr<ComplexMaterial> KorvelJsonParser::GetComplexMaterial(const json& data)
{
    std::unique_ptr<ComplexMaterial> result = std::make_unique<KorvelComplexMaterial>(data);
    result->Print();
    if (data.is_object() && data.contains("replace_id")) {
        result->replace = true;
        result->replaceId = IdFromText(data.at("replace_id"));
    }
    return result;
}

std::unique_ptr<LibraryPart> KorvelJsonParser::GetLibraryPart(const json& data)
{
    auto part = std::make_unique<KorvelLibraryPart>();
    from_json(data, *part);
    return part;
}

std::unique_ptr<Library> KorvelJsonParser::GetLibrary(const json& data)
{
    auto library = std::make_unique<KorvelLibrary>();
    from_json(data, *library);
    return library;
}

} // namespace KRV
