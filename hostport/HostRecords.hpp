#pragma once
// For the add-on files that are not yet through the port (not-yet-through-the-port.txt):
// their generation-26 records turned into the port's own terms and back. It goes when the
// last of them does; a file through the port never includes it.
#include "APIdefs_Attributes.h"
#include "AttributeRef.hpp"

namespace KRV::port {

AttrRef RefOf(const API_Attr_Head& head);
API_Attr_Head HeadOf(const AttrRef& ref);

} // namespace KRV::port
