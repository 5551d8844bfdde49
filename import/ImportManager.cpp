#include "ImportManager.hpp"

#include "DBPrintf.h"
#include "ElementAttributes.hpp"
#include "ElementStructure.hpp"
#include "Importers.hpp"
#include "Logger.hpp"
#include "Properties.hpp"

namespace KRV {

std::vector<std::unique_ptr<BaseImporter>> ImportManager::GetImporters(const GS::UniString& request)
{
    std::vector<std::unique_ptr<BaseImporter>> importers;
    json envelope = TextToJson(request);
    if (!envelope.is_object() || !envelope.contains("data"))
        return importers;
    const json& data = envelope.at("data");
    for (const auto& member : data.items()) {
        if (member.key() != "import_type")
            continue;
        const std::string type = member.value().get<std::string>();
        if (type == "Product") {
            const std::string url = data.at("file_url").get<std::string>();
            if (url.empty())
                continue;
            // A container file ends in "lcf"; anything else is a single object.
            if (url.size() >= 3 && url.compare(url.size() - 3, 3, "lcf") == 0)
                importers.push_back(std::make_unique<LibraryImporter>(data));
            else
                importers.push_back(std::make_unique<LibraryPartImporter>(data));
        } else if (type == "Material") {
            const json& articles = data.at("articles");
            for (const json& article : articles) {
                json copy = article;
                copy["name"] = data.at("name").get<std::string>();
                importers.push_back(std::make_unique<MaterialImporter>(copy));
            }
        } else if (type == "system") {
            importers.push_back(std::make_unique<ComplexMaterialImporter>(data));
        }
    }
    return importers;
}

bool ImportRequest(const GS::UniString& request)
{
    // Read once per request: property definitions, and what the elements are built of.
    const DefinitionCacheScope definitions;
    const CompositeUseScope compositeUse;
    json envelope = TextToJson(request);
    if (envelope.is_object() && envelope.contains("data") && envelope.at("data").is_object() &&
        envelope.at("data").contains("import_type")) {
        const std::string type = envelope.at("data").at("import_type").get<std::string>();
        if (type == "curtain wall" || type == "stair")
            return SetAttributes(envelope.at("data"), GS::UniString(type)) == 0;
    }

    std::vector<std::unique_ptr<BaseImporter>> importers = ImportManager().GetImporters(request);
    if (importers.empty()) {
        LogError("ImportManager.GetImporter could not return importer.");
        return false;
    }
    DBPrintf("Importer_returned\n");
    bool result = true;
    for (auto& importer : importers)
        result = importer->Import() && result;
    return result;
}

} // namespace KRV
