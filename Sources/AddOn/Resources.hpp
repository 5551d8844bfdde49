#pragma once
#include "APIdefs_Registration.h"

namespace KRV {

constexpr short addOnInfoResId = 32000;   // item 1 the name, item 2 the description
constexpr short browserMenuResId = 32500; // also the browser palette's dialog
constexpr short paletteMenuResId = 32400; // also the native palette's dialog
constexpr short fileTypeResId = 32520;

// The add-on's string resources; the last entry's text is null.
extern const API_ResourceString resourceStrings[];

} // namespace KRV
