#pragma once
// The page's update status request: the text carries the request in and the reply out.
#include "GS/UniString.hpp"

namespace KRV {

// Which imported items are outdated; false when no report could be made.
bool ExportUpdateStatus(GS::UniString& text);

} // namespace KRV
