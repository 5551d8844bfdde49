// The add-on data's section of the project file: "addOnData" (key -> stored text) and
// "undo", the names of the undo steps so far.
#include "ProjectFileSections.hpp"

namespace sim {

void SaveAddOnData(const Project& project, json& file)
{
    file["addOnData"] = json::object();
    for (const auto& [key, record] : project.addOnData)
        file["addOnData"][key] = StoredText(record.bytes);
    file["undo"] = project.undoSteps;
}

void LoadAddOnData(const json& file, Project& project)
{
    if (file.contains("addOnData"))
        for (const auto& [key, text] : file.at("addOnData").items())
            project.addOnData[key] = {1, 0x6D6D, StoredBytes(text.get<std::string>())};
    if (file.contains("undo"))
        project.undoSteps = file.at("undo").get<std::vector<std::string>>();
}

} // namespace sim
