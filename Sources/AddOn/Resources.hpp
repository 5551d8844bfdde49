#pragma once
// The add-on's resource ids and string resources.
#include "AddOnImage.hpp"
#include "Texts.hpp"

namespace KRV {

constexpr short addOnInfoResId = 32000;                        // item 1 the name, item 2 the description
constexpr short browserMenuResId = texts::browserPaletteResId; // also the browser palette's dialog
constexpr short paletteMenuResId = texts::nativePaletteResId;  // also the native palette's dialog
constexpr short fileTypeResId = 32520;

} // namespace KRV
