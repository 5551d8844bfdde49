#pragma once
#include <optional>

#include "APIdefs_Elements.h"

namespace KRV {

// What a wall, slab or roof is built of; nothing for other elements or a failed read (logged).
std::optional<API_ElemStructure> StructureOf(const API_Guid& element);

} // namespace KRV
