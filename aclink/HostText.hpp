#pragma once
#include "APIdefs_Attributes.h"
#include "GS/UniString.hpp"

namespace KRV {

// Puts a name into an attribute header's name buffer. A name too long for it is cut at
// a character boundary, so the buffer always holds valid text.
void SetHeaderName(API_Attr_Head& head, const GS::UniString& name);
GS::UniString GetHeaderName(const API_Attr_Head& head);

} // namespace KRV
