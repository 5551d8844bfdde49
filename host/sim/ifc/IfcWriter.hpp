#pragma once
// The project as the text of an IFC4 file (format in docs/ifc-export.md).
#include <string>

#include "Project.hpp"

namespace sim {

std::string WriteIfc(const Project& project, const std::string& fileName, const std::string& timestamp);

} // namespace sim
