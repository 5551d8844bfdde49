#include "ProjectFile.hpp"

namespace sim {

using nlohmann::json;

json SaveProject(const Project& project)
{
    json file = json::object();
    file["name"] = project.info.name.ToUtf8();
    file["undo"] = project.undoSteps;
    return file;
}

std::unique_ptr<Project> LoadProject(const json& file)
{
    if (!file.is_object())
        throw ProjectFileError("a project file holds one JSON object");
    auto project = std::make_unique<Project>();
    try {
        if (file.contains("name")) {
            project->info.name = GS::UniString(file.at("name").get<std::string>());
            project->info.untitled = false;
        }
        if (file.contains("undo"))
            project->undoSteps = file.at("undo").get<std::vector<std::string>>();
    } catch (const json::exception& e) {
        throw ProjectFileError(std::string("bad project file: ") + e.what());
    }
    return project;
}

} // namespace sim
