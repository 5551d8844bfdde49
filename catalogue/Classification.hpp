#pragma once
// The one classification everything the add-on brings in is tagged with: the root item
// "Korvel" of the system "Korvel", edition "v 1.0". Nothing is cached: every call looks
// the system and the item up again, creating them when the host says they are missing; a
// look-up that fails is logged and answers null, never a second system or item.
#include "API_Guid.h"
#include "AttributeRef.hpp"

namespace KRV {

extern const char* const gGenericMaterialClassificationId;

API_Guid GetClassificationSystem();
API_Guid AddClassificationItem(const API_Guid& system);
// The item with that id in the Korvel system, falling back to the root item "Korvel".
API_Guid GetArchicadClassificationItemGuid(const char* id);
// Each answers the host's error (logged), or NoError.
GSErrCode AddArchicadClassificationToAttribute(const port::AttrRef& attribute);
GSErrCode AddArchicadClassificationToElement(const API_Guid& element);

} // namespace KRV
