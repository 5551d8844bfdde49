#pragma once
// How an element is named: by its IFC attribute "Name", its type's display name, and its
// catalogue property "name".
#include "API_Guid.h"
#include "Elements.hpp"
#include "GS/UniString.hpp"
#include "HostErrors.hpp"

namespace KRV {

// The element's IFC attribute "Name"; `name` is untouched when it has none, or when the
// host cannot give its attributes (the error is answered, logged).
GSErrCode GetIFCNameFromElementGuid(const API_Guid& element, GS::UniString& name);
// The host's display name of the element's type, at most 255 characters, into `buffer` (256 bytes).
// hosterr::badElementType for a type the host has no name for; another failure is logged.
GSErrCode GetElementTypeString(const port::ElemHead& type, char* buffer);
// The element's property "name" of the group "Korvel"; `name` is untouched when the
// element has no such property or a host call fails.
void GetElementNameFromElementGuid(const API_Guid& element, GS::UniString& name);

} // namespace KRV
