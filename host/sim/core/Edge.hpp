#pragma once
// Where the entry points meet the stores: the host's type codes of one generation turned
// into the stand-alone host's own kinds and back.
#include <optional>

#include "APIdefs_Attributes.h"
#include "APIdefs_Elements.h"
#include "APIdefs_LibParts.h"
#include "AttributeStore.hpp"
#include "DatabaseStore.hpp"
#include "ElementStore.hpp"
#include "LibPartStore.hpp"

namespace sim {

// Nothing for a code the host does not know.
std::optional<AttrKind> KindOf(API_AttrTypeID type);
API_AttrTypeID TypeIdOf(AttrKind kind);
// The attribute of that type and index; nothing for a type the host does not know.
Attribute* FindAttribute(AttributeStore& store, API_AttrTypeID type, API_AttributeIndex index);

std::optional<ElemKind> KindOf(API_ElemTypeID type);
API_ElemTypeID TypeIdOf(ElemKind kind);

API_ModelElemStructureType TypeIdOf(StructureKind kind);
std::optional<StructureKind> KindOf(API_ModelElemStructureType type);

API_AddParID TypeIdOf(ParamType type);
ParamType TypeOf(API_AddParID type);
API_LibTypeID TypeIdOf(PartKind kind);

API_DatabaseTypeID TypeIdOf(DatabaseKind kind);
std::optional<DatabaseKind> KindOf(API_DatabaseTypeID type);

} // namespace sim
