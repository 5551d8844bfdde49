// The library parts' section of the project file: "libraryParts" (loaded parts, in
// index order), "libraries" (the library list) and "embeddedLibrary".
#include "LibPartFile.hpp"
#include "ProjectFileSections.hpp"

namespace sim {

void SaveLibParts(const Project& project, json& file)
{
    const LibPartStore& store = project.libParts;
    file["libraryParts"] = json::array();
    store.ForEach([&](const LibPart& part) {
        json j = WriteLibPart(part);
        if (!part.location.empty())
            j["file"] = part.location;
        file["libraryParts"].push_back(j);
    });
    file["libraries"] = json::array();
    for (std::size_t i = 0; i < store.libraries.size(); ++i)
        if (static_cast<Int32>(i) != store.embeddedIndex)
            file["libraries"].push_back(store.libraries[i].location);
    file["embeddedLibrary"] = store.embeddedIndex >= 0;
}

void LoadLibParts(const json& file, Project& project)
{
    LibPartStore& store = project.libParts;
    if (!file.value("embeddedLibrary", true)) {
        store.libraries.clear();
        store.embeddedIndex = -1;
    }
    if (file.contains("libraries"))
        for (const json& location : file.at("libraries"))
            store.libraries.push_back({location.get<std::string>(), "", true});
    if (file.contains("libraryParts"))
        for (const json& j : file.at("libraryParts")) {
            LibPart part;
            try {
                part = ReadLibPart(j);
            } catch (const LibPartFileError& e) {
                throw ProjectFileError(std::string("libraryParts: ") + e.what());
            }
            if (store.FindByUniqueId(part.uniqueId) != nullptr)
                throw ProjectFileError("libraryParts: the unique id \"" + part.uniqueId + "\" is used twice");
            part.location = j.value("file", "");
            part.fileName = part.name + ".gsm";
            store.Put(part);
        }
}

} // namespace sim
