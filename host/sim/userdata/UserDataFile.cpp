// The add-on data's section of the project file: "addOnData" (key -> stored text) and
// "undo", the names of the undo steps so far.
#include "ProjectFileSections.hpp"

namespace sim {

void SaveAddOnData(const Project& project, json& file)
{
    file["addOnData"] = json::object();
    for (const std::string& key : project.addOnData.Keys())
        file["addOnData"][key] = StoredText(project.addOnData.At(key).bytes);
    file["undo"] = project.undo.Names();
}

void LoadAddOnData(const json& file, Project& project)
{
    if (file.contains("addOnData"))
        for (const auto& [key, text] : file.at("addOnData").items())
            project.addOnData.Put(key, {1, 0x6D6D, StoredBytes(text.get<std::string>())});
    if (file.contains("undo"))
        project.undo.Replace(file.at("undo").get<std::vector<std::string>>());
}

} // namespace sim
