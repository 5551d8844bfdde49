#pragma once
// The project file: the whole project as one JSON object (format in docs/project-file.md).
#include <memory>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "Project.hpp"

namespace sim {

struct ProjectFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

nlohmann::json SaveProject(const Project& project);
// Raises ProjectFileError naming what is wrong.
std::unique_ptr<Project> LoadProject(const nlohmann::json& file);

} // namespace sim
