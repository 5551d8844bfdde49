#pragma once
// Where the entry points meet the stores: the host's type codes of one generation turned
// into the stand-alone host's own kinds and back.
#include <optional>

#include "APIdefs_Attributes.h"
#include "AttributeStore.hpp"

namespace sim {

// Nothing for a code the host does not know.
std::optional<AttrKind> KindOf(API_AttrTypeID type);
API_AttrTypeID TypeIdOf(AttrKind kind);
// The attribute of that type and index; nothing for a type the host does not know.
Attribute* FindAttribute(AttributeStore& store, API_AttrTypeID type, API_AttributeIndex index);

} // namespace sim
