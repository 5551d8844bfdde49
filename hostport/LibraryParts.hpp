#pragma once
// The project's library parts as the add-on finds, reads and registers them.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

extern const char* const searchLibraryPartCall;

// The library part the host finds for that name, and the name it has; hosterr::badName
// when there is none.
GSErrCode SearchLibraryPart(const GS::UniString& name, GS::UniString& found);

} // namespace KRV::port
