// A project file's JSON as items keyed by what they are, so two runs that made the same
// things compare equal whatever guids the host generated.
#include "ProjectSnapshot.hpp"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "Host.hpp"
#include "ProjectFile.hpp"

namespace testing_support {

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

namespace {

// Guid -> what it stands for, over the whole project file.
struct Names {
    std::map<std::string, std::string> groups, definitions, items;

    explicit Names(const json& file)
    {
        for (const json& g : file.value("propertyGroups", json::array()))
            groups[g.value("guid", "")] = g.value("name", "");
        for (const json& d : file.value("propertyDefinitions", json::array()))
            definitions[d.value("guid", "")] = groups[d.value("group", "")] + "/" + d.value("name", "");
        for (const json& s : file.value("classificationSystems", json::array()))
            AddItems(s.value("name", ""), s.value("items", json::array()));
    }
    void AddItems(const std::string& system, const json& list)
    {
        for (const json& item : list) {
            items[item.value("guid", "")] = system + "/" + item.value("id", "");
            AddItems(system, item.value("children", json::array()));
        }
    }
    static std::string Of(const std::map<std::string, std::string>& names, const std::string& guid)
    {
        auto it = names.find(guid);
        return it != names.end() ? it->second : "unknown " + guid;
    }
};

// An attribute's or element's annotations by name; its generated guid left out.
json Annotated(json item, const Names& names, bool keepGuid)
{
    if (!keepGuid)
        item.erase("guid");
    if (item.contains("properties")) {
        json properties = json::object();
        for (const auto& [guid, value] : item["properties"].items())
            properties[Names::Of(names.definitions, guid)] = value;
        item["properties"] = properties;
    }
    if (item.contains("classification")) {
        std::vector<std::string> items;
        for (const json& pair : item["classification"])
            items.push_back(Names::Of(names.items, pair.value("item", "")));
        std::sort(items.begin(), items.end());
        item["classification"] = items;
    }
    return item;
}

json WithoutGuids(json items)
{
    for (json& item : items) {
        item.erase("guid");
        if (item.contains("children"))
            item["children"] = WithoutGuids(item["children"]);
    }
    return items;
}

} // namespace

json NormalizedProject(const json& projectFile, const std::string& workFolder, bool elementsByPosition)
{
    std::string text = projectFile.dump(-1, ' ', false, json::error_handler_t::replace);
    for (auto at = text.find(workFolder); at != std::string::npos; at = text.find(workFolder, at + 4))
        text.replace(at, workFolder.size(), "WORK");
    const json file = json::parse(text);
    const Names names(file);
    json out = json::object();
    out["project name"] = file.value("name", "");
    for (const json& m : file.value("buildingMaterials", json::array()))
        out["material " + m.value("name", "")] = Annotated(m, names, false);
    for (const json& c : file.value("composites", json::array()))
        out["composite " + c.value("name", "")] = Annotated(c, names, false);
    std::size_t position = 0;
    for (const json& e : file.value("elements", json::array())) {
        const std::string key = elementsByPosition ? "#" + std::to_string(++position) : e.value("guid", "");
        out["element " + key] = Annotated(e, names, !elementsByPosition);
    }
    for (const json& g : file.value("propertyGroups", json::array()))
        out["group " + g.value("name", "")] = g.value("description", "");
    for (const json& d : file.value("propertyDefinitions", json::array())) {
        json definition = d;
        definition.erase("guid");
        definition.erase("group");
        std::vector<std::string> availability;
        for (const json& item : d.value("availability", json::array()))
            availability.push_back(Names::Of(names.items, item.get<std::string>()));
        std::sort(availability.begin(), availability.end());
        definition["availability"] = availability;
        out["definition " + names.definitions.at(d.value("guid", ""))] = definition;
    }
    for (const json& s : file.value("classificationSystems", json::array())) {
        json system = s;
        system.erase("guid");
        system.erase("editionDate");
        system["items"] = WithoutGuids(s.value("items", json::array()));
        out["classification " + s.value("name", "")] = system;
    }
    for (const json& p : file.value("libraryParts", json::array())) {
        json part = p;
        const std::string path = p.value("file", "");
        const fs::path onDisk = path.rfind("WORK", 0) == 0 ? fs::path(workFolder + path.substr(4)) : fs::path(path);
        part["fileContent"] = fs::exists(onDisk) ? ReadText(onDisk) : std::string("missing");
        out["library part " + p.value("name", "")] = part;
    }
    out["libraries"] = file.value("libraries", json::array());
    const json records = file.value("addOnData", json::object());
    for (const auto& [key, value] : records.items())
        out["record " + key] = value;
    out["database"] = file.value("currentDatabase", "");
    return out;
}

json ProjectSnapshot(const std::string& workFolder, bool elementsByPosition)
{
    return NormalizedProject(sim::SaveProject(sim::Host::Get().GetProject()), workFolder, elementsByPosition);
}

} // namespace testing_support
