#pragma once
// A library part as the stand-alone host reads it from a file and writes it into a
// project file: {"name", "uniqueId", "kind", "parameters": [{"type", "name",
// "description", "value"}]} (format in docs/library-parts.md).
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "LibPartStore.hpp"

namespace sim {

struct LibPartFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Raises LibPartFileError naming what is wrong.
LibPart ReadLibPart(const nlohmann::json& document);
nlohmann::json WriteLibPart(const LibPart& part);

} // namespace sim
