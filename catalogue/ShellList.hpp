#pragma once
// The walls, slabs and roofs of the project, listed for a walk over what they are built of.
#include "API_Guid.h"
#include "GS/Array.hpp"

namespace KRV {

// Walls, then slabs, then roofs of the project; filled and emptied around the walks.
extern GS::Array<API_Guid> g_elemList;

// Lists them; a list the host cannot give answers its failure, and the kinds listed before stay.
int InitCompMatElemList();
void ClearCompMatElemList();

} // namespace KRV
