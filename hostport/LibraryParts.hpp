#pragma once
// The project's library parts as the add-on finds, reads and registers them.
#include <string>

#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

extern const char* const searchLibraryPartCall;
extern const char* const getLibraryPartCall;

// The library part the host finds for that name, and the name it has; hosterr::badName
// when there is none.
GSErrCode SearchLibraryPart(const GS::UniString& name, GS::UniString& found);
// The unique id and name of the library part of that index; hosterr::badIndex when there is none.
GSErrCode LibraryPartAt(Int32 index, std::string& uniqueId, GS::UniString& name);
// The name of the library part of that unique id; hosterr::badId when there is none.
GSErrCode LibraryPartNameById(const std::string& uniqueId, GS::UniString& name);

} // namespace KRV::port
