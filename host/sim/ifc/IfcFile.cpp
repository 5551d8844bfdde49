// The IFC section of the project file: "ifcTranslators", the names of the host's IFC
// export translators (written only when they differ from a new project's).
#include "ProjectFileSections.hpp"

namespace sim {

void SaveIfc(const Project& project, json& file)
{
    if (!project.ifcTranslators.AsNew())
        file["ifcTranslators"] = project.ifcTranslators.Names();
}

void LoadIfc(const json& file, Project& project)
{
    if (file.contains("ifcTranslators"))
        project.ifcTranslators.Replace(file.at("ifcTranslators").get<std::vector<std::string>>());
}

} // namespace sim
