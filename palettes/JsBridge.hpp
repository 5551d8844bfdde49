#pragma once
// Argument conversion and the replies the bridge builds itself.
#include "DG/Browser.hpp"
#include "GS/Array.hpp"
#include "GS/Ref.hpp"
#include "GS/UniString.hpp"

namespace KRV {

// A JavaScript string argument as text; a missing argument or another value type gives
// the empty text; an argument that is not a value raises "Bad cast.".
GS::UniString GetStringFromJsVariable(GS::Ref<DG::JSBase> argument);
// A JavaScript array of values as texts; null for a missing argument. A null item
// raises "Null reference.", an item that is not a value "Bad cast.".
GS::Array<GS::UniString>* ConvertJsArrayToUniStringArray(GS::Ref<DG::JSBase> argument);

// {"IsError":..,"ShowError":..}, compact.
GS::UniString ReturnStatus(bool showError, bool isError);
GS::UniString PlatformReply();

} // namespace KRV
