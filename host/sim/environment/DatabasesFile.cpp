// The databases' section of the project file: "databases" (floor plan, sections, layouts)
// and "currentDatabase", the type of the one that is current.
#include "ProjectFileSections.hpp"

namespace sim {

namespace {

const std::pair<const char*, DatabaseKind> types[] = {
    {"floorplan", DatabaseKind::floorPlan}, {"section", DatabaseKind::section}, {"layout", DatabaseKind::layout}};

const char* TypeName(DatabaseKind type)
{
    for (const auto& [name, id] : types)
        if (id == type)
            return name;
    return "?";
}

DatabaseKind TypeOf(const std::string& name)
{
    for (const auto& [key, id] : types)
        if (name == key)
            return id;
    throw ProjectFileError("unknown database type \"" + name + "\" (floorplan, section, layout)");
}

} // namespace

void SaveDatabases(const Project& project, json& file)
{
    file["databases"] = json::array();
    project.databases.ForEach([&](const Database& d) {
        file["databases"].push_back({{"guid", GuidText(d.id)}, {"type", TypeName(d.type)}, {"name", d.name}});
    });
    file["currentDatabase"] = TypeName(project.databases.Current().type);
}

void LoadDatabases(const json& file, Project& project, GuidRegister& guids)
{
    if (file.contains("databases")) {
        DatabaseStore databases(DatabaseStore::Empty{});
        for (const json& j : file.at("databases")) {
            Database d;
            d.id = GuidOf(j, "guid");
            guids.Claim("databases", d.id);
            d.type = TypeOf(j.at("type").get<std::string>());
            d.name = j.value("name", "");
            if (d.type == DatabaseKind::floorPlan && databases.Count() != 0)
                throw ProjectFileError("databases: the floor plan comes first, once");
            if (d.type != DatabaseKind::floorPlan && databases.Count() == 0)
                throw ProjectFileError("databases: the floor plan comes first, once");
            databases.Add(d);
        }
        if (databases.Count() == 0)
            throw ProjectFileError("databases: a project has its floor plan");
        project.databases = databases;
    }
    if (file.contains("currentDatabase") &&
        !project.databases.SwitchTo(TypeOf(file.at("currentDatabase").get<std::string>())))
        throw ProjectFileError("currentDatabase: the project has no such database");
    project.databases.ForgetSwitches(); // opening a project is no switch
}

} // namespace sim
