#pragma once
// The model database of the stand-alone host. Each API family keeps its part of the
// project in a store of its own, declared in its own header and held here.
#include <string>
#include <vector>

#include "GS/UniString.hpp"

namespace sim {

struct ProjectInfo {
    GS::UniString name = "Untitled";
    bool untitled = true;
};

class Project {
public:
    ProjectInfo info;
    std::vector<std::string> undoSteps; // names of the undoable commands, oldest first
};

} // namespace sim
