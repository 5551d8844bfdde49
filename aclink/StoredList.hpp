#pragma once
// Reading a stored text back as a property list. A text that does not read as one (not
// JSON, not a list, an entry that is not an object or holds a value of the wrong type)
// counts as no catalogue data: one warning names whose text it was.
#include <string>

#include "GS/UniString.hpp"
#include "KorvelProperties.hpp"

namespace KRV {

// True when `text` read as a property list into `properties`; false (with a warning, unless
// the text is empty) when it did not.
bool ReadStoredList(const GS::UniString& text, const std::string& whose, KorvelProperties& properties);

} // namespace KRV
