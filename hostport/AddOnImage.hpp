#pragma once
// The add-on as the host loads it. The entry points the host finds in the add-on's image are
// the port's; they call these functions of the add-on (Sources/AddOn), in its own terms.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

struct API_AddOnImage;

namespace KRV {

namespace entry {
// The add-on's name and description for the host; false: the add-on is not to be registered.
bool CheckEnvironment(GS::UniString& name, GS::UniString& description);
GSErrCode RegisterInterface();
GSErrCode Initialize();
GSErrCode FreeData();

// A compiled-in string resource: item `index` of resource `resId`.
struct ResourceString {
    short resId;
    short index;
    const char* text;
};
// The add-on's string resources; the last entry's text is null.
extern const ResourceString resourceStrings[];
} // namespace entry

// The entry points and compiled-in resources, for the host's loader.
const API_AddOnImage& AddOnImage();

} // namespace KRV
