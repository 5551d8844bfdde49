#pragma once
// Generated projects for the benchmarks: elements of every type, built straight into the
// stand-alone host's stores (a million elements would not fit a JSON text), or as a
// project file for measuring the load. They look like real projects: random element ids
// (sequential ones walk memory in order and flatter every pass), catalogue data on the
// materials, composites and elements (a stored list of ~30 properties, a dozen property
// values, the Korvel classification), library parts with their records.
#include <nlohmann/json.hpp>

#include "Project.hpp"

namespace bench {

enum class Spread {
    Few,        // a few hundred materials and composites, as in a tidy project
    OnePerFour, // one material (and one composite) per four elements
};

// `elements` elements cycling through every type, with the materials, composites,
// profiles, library parts and "KV_" records they use.
void FillProject(sim::Project& project, int elements, Spread spread = Spread::Few);
// The same project as a project file.
nlohmann::json ProjectFile(int elements, Spread spread = Spread::Few);

// The catalogue ids of the materials, composites and library parts FillProject made.
std::vector<std::string> CatalogueIds(const sim::Project& project);

// Loads the add-on once into a host whose work folder is a temporary folder, and opens the
// catalogue palette (so the page's functions can be called).
void LoadAddOnOnce();

} // namespace bench
