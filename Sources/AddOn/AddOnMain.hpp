#pragma once
// The add-on's entry points and its menu and dropped-file handlers, in its own terms; the
// host's loader finds them through the port (AddOnImage).
#include "AddOnImage.hpp"

namespace KRV {

GSErrCode MenuCommandHandler(short menuResId, short itemIndex);
// A file the host hands over; only a dropped one is imported.
GSErrCode DragNDropHandler(const GS::UniString& path, bool dropped, bool hasFile);

} // namespace KRV
