#pragma once
// Reading a stored text back as a property list. A text that does not read as one (not
// JSON, not a list, an entry that is not an object or holds a value of the wrong type)
// counts as no catalogue data: one warning names whose text it was.
#include <optional>
#include <string>
#include <vector>

#include "GS/UniString.hpp"
#include "KorvelProperties.hpp"

namespace KRV {

// True when `text` read as a property list into `properties`; false (with a warning, unless
// the text is empty) when it did not.
bool ReadStoredList(const GS::UniString& text, const std::string& whose, KorvelProperties& properties);

// An entry of a stored list as its text holds it: the property (with a default where a member
// is absent, as any reading gives it), and which members were there.
struct ScannedEntry {
    enum : unsigned { group = 1, name = 2, value = 4 };
    KorvelProperty property;
    unsigned held = 0;
};

// The entries of a list in the plain form the add-on writes (flat objects of texts in plain
// ASCII, without escapes), read without the JSON parser; nullopt for any other text, which
// the parser must then read. Every member of such a list is a text.
std::optional<std::vector<ScannedEntry>> ScanSimpleList(const std::string& utf8);

} // namespace KRV
