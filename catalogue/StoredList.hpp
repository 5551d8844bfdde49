#pragma once
// Reading a stored text back as a property list. A text that does not read as one (not
// JSON, not a list, an entry that is not an object or holds a value of the wrong type)
// counts as no catalogue data: one warning names whose text it was.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "GS/UniString.hpp"
#include "JsonText.hpp"
#include "KorvelProperties.hpp"

namespace KRV {

// True when `text` read as a property list into `properties`; false (with a warning, unless
// the text is empty) when it did not.
bool ReadStoredList(const GS::UniString& text, const std::string& whose, KorvelProperties& properties);

// A stored text as the update status reads it: its entries as JSON, whatever their values'
// types (an "id" may be a number there). Null for an empty text or one that is not JSON;
// null, with ReadStoredList's warning, for JSON that is not a list of objects.
json StoredEntries(const GS::UniString& text, const std::string& whose);

// A stored list as a report reads it: each property's texts in place in the stored text,
// without a text object each (a large project's take-off reads tens of thousands of lists).
// It reads as ReadStoredList reads, texts and defaults alike.
class StoredTexts {
public:
    struct Property {
        std::string_view group, name, unit, type, value;
    };

    // The members a property's text had (an absent one reads as its default).
    enum Member : unsigned { group = 1, name = 2, value = 4, unit = 8, type = 16 };

    // Reads `text`, kept; false (with ReadStoredList's warning, unless it is empty) when it
    // is not a property list, which leaves no properties.
    bool Read(std::string text, const std::string& whose);
    // Reads `text` only when it has the plain form the add-on writes (flat objects of texts in
    // well-formed UTF-8, without escapes): false, without a word and without properties, for
    // any other text, which the JSON parser must then read.
    bool ReadPlain(std::string text);
    // Which members the text gave the property; every one, for a text that was parsed.
    bool Held(std::size_t i, Member member) const { return (entries[i].held & member) != 0; }

    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }
    Property operator[](std::size_t i) const;
    std::string_view Group(std::size_t i) const
    {
        return Held(i, group) ? Text(entries[i].group) : std::string_view("Korvel");
    }
    // The properties as text objects, defaults where a member was absent.
    std::vector<KorvelProperty> Properties() const;
    // The value of the first property of that name; "" when there is none.
    std::string_view ValueByName(std::string_view name) const;

private:
    struct Span {
        std::uint32_t at = 0, length = 0;
    };
    struct Entry {
        Span group, name, unit, type, value;
        unsigned char held = 0; // Member bits
    };
    // Reads `text` as it stands, when it has the plain form.
    bool ScanPlain();
    std::string_view Text(Span span) const { return std::string_view(text.data() + span.at, span.length); }

    std::string text;
    std::vector<Entry> entries;
};

} // namespace KRV
