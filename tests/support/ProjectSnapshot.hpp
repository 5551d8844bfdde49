#pragma once
// What a project holds, read back by what things are rather than by generated guids: for
// comparing the project a faulted run left with the one a clean run left.
#include <nlohmann/json.hpp>
#include <string>

namespace testing_support {

// The project file's JSON as items keyed by what they are: "material NAME", "element GUID",
// "definition GROUP/NAME", ...; guids the host generates become the names they stand for, the
// work folder "WORK", and library parts carry their files' contents. `elementsByPosition`
// keys elements "element #1", ... in the project's order, without their guids: for projects
// whose elements get new guids each time they are loaded.
nlohmann::json NormalizedProject(const nlohmann::json& projectFile, const std::string& workFolder,
                                 bool elementsByPosition = false);
// The open project, so.
nlohmann::json ProjectSnapshot(const std::string& workFolder, bool elementsByPosition = false);

} // namespace testing_support
