// The project file puts the families' sections together.
#include "ProjectFile.hpp"

#include "JsonRead.hpp"
#include "ProjectFileSections.hpp"

namespace sim {

std::string GuidText(const API_Guid& guid)
{
    return APIGuidToString(guid).ToUtf8();
}

API_Guid GuidOf(const json& j, const char* key)
{
    if (!j.contains(key))
        return GSGuid2APIGuid(GS::Guid::Generate());
    std::string text = j.at(key).get<std::string>();
    GS::Guid guid;
    if (!guid.ConvertFromString(text.c_str()))
        throw ProjectFileError("\"" + text + "\" is not a guid");
    return GSGuid2APIGuid(guid);
}

API_Guid RequiredGuid(const json& j, const char* key)
{
    if (!j.contains(key))
        throw ProjectFileError(std::string("missing \"") + key + "\"");
    return GuidOf(j, key);
}

void GuidRegister::Claim(const std::string& kind, const API_Guid& guid)
{
    if (!claimed[kind].insert(guid).second)
        throw ProjectFileError("the guid \"" + GuidText(guid) + "\" is used twice among the " + kind);
}

std::string StoredText(const std::string& bytes)
{
    return !bytes.empty() && bytes.back() == '\0' ? bytes.substr(0, bytes.size() - 1) : bytes;
}

std::string StoredBytes(const std::string& text)
{
    return text + std::string(1, '\0');
}

json SaveAnnotations(const Annotations& a)
{
    json j = json::object();
    if (a.userData.present) {
        j["userData"] = StoredText(a.userData.bytes);
        j["userDataVersion"] = a.userData.version;
        j["userDataPlatform"] = a.userData.platformSign;
        if (a.userData.flags != 0)
            j["userDataFlags"] = a.userData.flags;
    }
    if (!a.classification.empty()) {
        j["classification"] = json::array();
        for (const auto& pair : a.classification)
            j["classification"].push_back({{"system", GuidText(pair.first)}, {"item", GuidText(pair.second)}});
    }
    if (!a.properties.empty()) {
        j["properties"] = json::object();
        for (const auto& [definition, value] : a.properties)
            j["properties"][GuidText(definition)] = value.text;
    }
    return j;
}

void LoadAnnotations(const json& j, Annotations& a)
{
    if (j.contains("userData")) {
        a.userData.present = true;
        a.userData.bytes = StoredBytes(j.at("userData").get<std::string>());
        a.userData.version = Integer<short>(j, "userDataVersion", 0);
        a.userData.platformSign = Integer<unsigned short>(j, "userDataPlatform", 0x6D6D);
        a.userData.flags = Integer<Int32>(j, "userDataFlags", 0);
    }
    if (j.contains("classification"))
        for (const json& pair : j.at("classification"))
            a.classification.push_back({RequiredGuid(pair, "system"), RequiredGuid(pair, "item")});
    if (j.contains("properties"))
        for (const auto& [definition, value] : j.at("properties").items()) {
            GS::Guid guid;
            if (!guid.ConvertFromString(definition.c_str()))
                throw ProjectFileError("\"" + definition + "\" is not a property definition guid");
            a.properties[GSGuid2APIGuid(guid)] = {value.get<std::string>(), false};
        }
}

json SaveProject(const Project& project)
{
    json file = json::object();
    file["name"] = project.info.name.ToUtf8();
    SaveAttributes(project, file);
    SaveElements(project, file);
    SaveProperties(project, file);
    SaveClassifications(project, file);
    SaveLibParts(project, file);
    SaveDatabases(project, file);
    SaveIfc(project, file);
    SaveAddOnData(project, file);
    return file;
}

std::unique_ptr<Project> LoadProject(const json& file)
{
    if (!file.is_object())
        throw ProjectFileError("a project file holds one JSON object");
    auto project = std::make_unique<Project>();
    GuidRegister guids;
    try {
        if (file.contains("name")) {
            project->info.name = GS::UniString(file.at("name").get<std::string>());
            project->info.untitled = false;
        }
        LoadProperties(file, *project, guids);
        LoadClassifications(file, *project, guids);
        LoadAttributes(file, *project, guids);
        LoadLibParts(file, *project);
        LoadDatabases(file, *project, guids);
        LoadIfc(file, *project);
        LoadElements(file, *project, guids);
        LoadAddOnData(file, *project);
    } catch (const json::exception& e) {
        throw ProjectFileError(std::string("bad project file: ") + e.what());
    }
    return project;
}

} // namespace sim
