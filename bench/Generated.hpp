#pragma once
// Generated projects for the benchmarks: elements of every type, built straight into the
// stand-alone host's stores (a million elements would not fit a JSON text), or as a
// project file for measuring the load.
#include <nlohmann/json.hpp>

#include "Project.hpp"

namespace bench {

// `elements` elements cycling through every type, with the materials, composites,
// profiles, library parts and "KV_" records they use.
void FillProject(sim::Project& project, int elements);
// The same project as a project file.
nlohmann::json ProjectFile(int elements);

// Loads the add-on once into a host whose work folder is a temporary folder.
void LoadAddOnOnce();

} // namespace bench
