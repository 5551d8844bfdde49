#pragma once
// Argument conversion and the replies the bridge builds itself.
#include <vector>

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

// One row per function of the page's object "jsKorvelInterface": its name, what it does
// (the docs say the same), its handler, and whether its failure status asks the page to
// show the error.
struct BridgeFunction {
    const char* name;
    const char* description;
    GS::Ref<DG::JSBase> (*handler)(GS::Ref<DG::JSBase> argument);
    bool showError;
};
// Every function, in the order they are registered.
const std::vector<BridgeFunction>& BridgeFunctions();

} // namespace KRV
