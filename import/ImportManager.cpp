// Import requests: the table of import types, and the dispatch of a request by its type.
#include "ImportManager.hpp"

#include "DBPrintf.h"
#include "ElementAttributes.hpp"
#include "ElementStructure.hpp"
#include "Importers.hpp"
#include "Logger.hpp"
#include "Properties.hpp"

namespace KRV {

namespace {

void MaterialImporters(const json& data, std::vector<std::unique_ptr<BaseImporter>>& into)
{
    const json& articles = data.at("articles");
    for (const json& article : articles) {
        json copy = article;
        copy["name"] = data.at("name").get<std::string>();
        into.push_back(std::make_unique<MaterialImporter>(copy));
    }
}

void CompositeImporters(const json& data, std::vector<std::unique_ptr<BaseImporter>>& into)
{
    into.push_back(std::make_unique<ComplexMaterialImporter>(data));
}

void ProductImporters(const json& data, std::vector<std::unique_ptr<BaseImporter>>& into)
{
    const std::string url = data.at("file_url").get<std::string>();
    if (url.empty())
        return;
    // A container file ends in "lcf"; anything else is a single object.
    if (url.size() >= 3 && url.compare(url.size() - 3, 3, "lcf") == 0)
        into.push_back(std::make_unique<LibraryImporter>(data));
    else
        into.push_back(std::make_unique<LibraryPartImporter>(data));
}

} // namespace

const std::vector<ImportType>& ImportTypes()
{
    static const std::vector<ImportType> types = {
        {"Material", "a MaterialImporter per article: a building material each, with its properties", MaterialImporters,
         nullptr},
        {"system", "a ComplexMaterialImporter: a composite with its layers' building materials", CompositeImporters,
         nullptr},
        {"Product",
         "a LibraryImporter when \"file_url\" ends in \"lcf\" (a library container), else a LibraryPartImporter",
         ProductImporters, nullptr},
        {"curtain wall",
         "no importer: SetAttributes stores the properties as \"KV_\" + name and writes them on the curtain walls "
         "of that name",
         nullptr, SetAttributes},
        {"stair",
         "no importer: SetAttributes stores the properties as \"KV_\" + name and writes them on the stairs of that "
         "name",
         nullptr, SetAttributes},
    };
    return types;
}

const ImportType* FindImportType(const std::string& name)
{
    for (const ImportType& type : ImportTypes())
        if (name == type.name)
            return &type;
    return nullptr;
}

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
        const ImportType* type = FindImportType(member.value().get<std::string>());
        if (type != nullptr && type->importers != nullptr)
            type->importers(data, importers);
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
        const std::string name = envelope.at("data").at("import_type").get<std::string>();
        if (const ImportType* type = FindImportType(name); type != nullptr && type->store != nullptr)
            return type->store(envelope.at("data"), GS::UniString(name)) == 0;
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
