// The add-on's string resources: its name, description and menu texts.
#include "Resources.hpp"

namespace KRV::entry {

const ResourceString resourceStrings[] = {
    {addOnInfoResId, 1, "Korvel"},
    {addOnInfoResId, 2,
     "Imports building materials, systems and products from the Korvel catalogue and reports the "
     "project's quantities to it."},
    {browserMenuResId, 1, "Korvel Catalogue"},
    {paletteMenuResId, 1, "Korvel Tools"},
    {fileTypeResId, 0, "Korvel catalogue item"},
    {0, 0, nullptr},
};

} // namespace KRV::entry
