#pragma once
// The one reading of a stored text as a property list: the plain form the add-on writes is
// scanned in place; any other text is parsed as JSON. A text that does not read as a
// property list (not JSON, not a list of objects, a member of the wrong type) counts as no
// catalogue data: one warning names whose text it was.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "GS/UniString.hpp"
#include "JsonText.hpp"
#include "KorvelProperties.hpp"

namespace KRV {

class StoredList {
public:
    struct Property {
        std::string_view group, name, unit, type, value;
    };

    // The members an entry of the text had (an absent one reads as its default).
    enum Member : unsigned { group = 1, name = 2, value = 4, unit = 8, type = 16 };

    // Reads `text`, kept: false when it is no property list, which leaves no properties and,
    // unless the text is empty, one warning naming `whose`.
    bool Read(std::string text, const std::string& whose);
    // The same without the warning; Unreadable() then tells whether one is owed.
    bool Read(std::string text);
    // As Read, and a list of objects whose values are of any JSON type is kept too, for its
    // members as JSON (the update status reads an "id" that is a number). The warning is
    // given only for a text that is no list of objects.
    bool ReadEntries(std::string text, const std::string& whose);
    // Reads `text` only when it has the plain form the add-on writes (flat objects of texts
    // in well-formed UTF-8, without escapes): false, without a word and without entries, for
    // any other text.
    bool ReadPlain(std::string text);

    // A text was there and did not read as a property list.
    bool Unreadable() const { return unreadable; }
    static void WarnUnreadable(const std::string& whose);

    // The properties (none when the text did not read as a property list).
    std::size_t size() const { return propertyList ? entries.size() : 0; }
    bool empty() const { return size() == 0; }
    Property operator[](std::size_t i) const;
    std::string_view Group(std::size_t i) const
    {
        return Held(i, group) ? Text(entries[i].group) : std::string_view("Korvel");
    }
    // The properties as text objects, defaults where a member was absent.
    std::vector<KorvelProperty> Properties() const;
    // The value of the first property of that name; "" when there is none.
    std::string_view ValueByName(std::string_view name) const;
    // The same for "id", found while reading: the take-off asks for it once per layer.
    std::string_view Id() const
    {
        return propertyList && firstId < entries.size() ? Text(entries[firstId].value) : std::string_view();
    }

    // The entries of the list, whether or not they read as properties (after ReadEntries).
    std::size_t EntryCount() const { return entries.size(); }
    // Which members the text gave the entry.
    bool Held(std::size_t i, Member member) const { return (entries[i].held & member) != 0; }
    // Whether the entry's member is a text and that text.
    bool IsText(std::size_t i, Member member, std::string_view text) const;
    // The entry's member as the JSON value stored (null when absent): a number stays a number.
    json Json(std::size_t i, Member member) const;

private:
    struct Span {
        std::uint32_t at = 0, length = 0;
    };
    struct Entry {
        Span group, name, unit, type, value;
        unsigned char held = 0; // Member bits
    };
    bool ReadAs(std::string text, bool anyValues);
    bool ScanPlain();
    bool ReadParsed(bool anyValues);
    void Clear();
    static Span SpanOf(const Entry& entry, Member member);
    const json* Parsed(std::size_t i, Member member) const;
    std::string_view Text(Span span) const { return std::string_view(text.data() + span.at, span.length); }

    std::string text;
    std::vector<Entry> entries;
    json parsed;                    // the parsed list, for a text not in the plain form
    std::size_t firstId = SIZE_MAX; // the first entry named "id"
    bool propertyList = false;      // the entries read as properties
    bool unreadable = false;
};

// The whole list as text objects: false (with the warning) when `text` is no property list,
// which leaves `properties` as it was.
bool ReadStoredList(const GS::UniString& text, const std::string& whose, KorvelProperties& properties);

} // namespace KRV
