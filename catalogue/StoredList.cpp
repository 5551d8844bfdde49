// The one reading of a stored text as a property list, fast for the plain form the add-on writes.
#include "StoredList.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "JsonText.hpp"
#include "JsonWriter.hpp"
#include "Logger.hpp"

namespace KRV {

namespace {

// The form nearly every stored list has, as the add-on writes it: a list of flat objects
// whose members are texts without escapes. Scanned here without the parser, which is most
// of what the take-off and the refresh spend per material; anything else in the text
// answers false, and the parser reads it.
class SimpleListScan {
public:
    // One entry's members as the text holds them; `held` says which were there
    // (StoredList::Member bits).
    struct Entry {
        std::string_view group, name, unit, type, value;
        unsigned held = 0;
    };

    explicit SimpleListScan(std::string_view text) : at(text.data()), end(text.data() + text.size()) {}

    // Hands each entry to `take`, in order; false where the text is not of the form (after
    // some entries, perhaps).
    template <typename Take> bool Read(Take&& take)
    {
        Blanks();
        if (!this->Take('['))
            return false;
        Blanks();
        if (!this->Take(']')) {
            do {
                Blanks();
                Entry entry;
                if (!Members(entry))
                    return false;
                take(entry);
                Blanks();
            } while (this->Take(','));
            if (!this->Take(']'))
                return false;
        }
        Blanks();
        return at == end;
    }

private:
    // The last member of a name wins, as in a parsed object.
    bool Members(Entry& entry)
    {
        if (!Take('{'))
            return false;
        Blanks();
        if (Take('}'))
            return true;
        do {
            Blanks();
            std::string_view key;
            std::string_view value;
            if (!Text(key))
                return false;
            Blanks();
            if (!Take(':'))
                return false;
            Blanks();
            if (!Text(value))
                return false;
            if (key == "group") {
                entry.group = value;
                entry.held |= StoredList::group;
            } else if (key == "name") {
                entry.name = value;
                entry.held |= StoredList::name;
            } else if (key == "unit") {
                entry.unit = value;
                entry.held |= StoredList::unit;
            } else if (key == "type") {
                entry.type = value;
                entry.held |= StoredList::type;
            } else if (key == "value") {
                entry.value = value;
                entry.held |= StoredList::value;
            }
            Blanks();
        } while (Take(','));
        return Take('}');
    }
    // A text between quotes, of well-formed UTF-8 without control characters or a backslash.
    bool Text(std::string_view& text)
    {
        if (!Take('"'))
            return false;
        const char* start = at;
        for (;;) {
            while (end - at >= 8 && PlainWord(at))
                at += 8;
            if (at == end)
                return false;
            const auto c = static_cast<unsigned char>(*at);
            if (c == '"')
                break;
            if (c < 0x20 || c == '\\')
                return false;
            if (c < 0x80) {
                ++at;
                continue;
            }
            const std::size_t length =
                Utf8Sequence(reinterpret_cast<const unsigned char*>(at), reinterpret_cast<const unsigned char*>(end));
            if (length == 0)
                return false;
            at += length;
        }
        text = std::string_view(start, static_cast<std::size_t>(at - start));
        ++at;
        return true;
    }
    // Whether none of the eight bytes at `from` needs a look of its own: no quote, no
    // backslash, no control character, no byte of a multi-byte sequence. Texts run long.
    static bool PlainWord(const char* from)
    {
        constexpr std::uint64_t ones = 0x0101010101010101ULL;
        constexpr std::uint64_t highs = 0x8080808080808080ULL;
        std::uint64_t word = 0;
        std::memcpy(&word, from, sizeof word);
        // A byte below n (n <= 128) sets its high bit here, given that no byte has it set.
        auto below = [&](std::uint64_t w, std::uint64_t n) { return (w - ones * n) & ~w & highs; };
        return (word & highs) == 0 && below(word, 0x20) == 0 && below(word ^ (ones * '"'), 1) == 0 &&
               below(word ^ (ones * '\\'), 1) == 0;
    }
    bool Take(char c)
    {
        if (at == end || *at != c)
            return false;
        ++at;
        return true;
    }
    void Blanks()
    {
        while (at != end && (*at == ' ' || *at == '\t' || *at == '\n' || *at == '\r'))
            ++at;
    }

    const char* at;
    const char* end;
};

bool IsListOfObjects(const json& stored)
{
    bool readable = stored.is_array();
    for (const json& entry : stored)
        readable = readable && entry.is_object();
    return readable;
}

constexpr StoredList::Member members[] = {StoredList::group, StoredList::name, StoredList::unit, StoredList::type,
                                          StoredList::value};

const char* KeyOf(StoredList::Member member)
{
    switch (member) {
    case StoredList::group:
        return "group";
    case StoredList::name:
        return "name";
    case StoredList::unit:
        return "unit";
    case StoredList::type:
        return "type";
    default:
        return "value";
    }
}

} // namespace

void StoredList::WarnUnreadable(const std::string& whose)
{
    LogWarning("The catalogue data stored for " + whose + " does not read as a property list; it is left out.");
}

bool StoredList::Read(std::string stored, const std::string& whose)
{
    const bool read = ReadAs(std::move(stored), false);
    if (unreadable)
        WarnUnreadable(whose);
    return read;
}

bool StoredList::Read(std::string stored)
{
    return ReadAs(std::move(stored), false);
}

bool StoredList::ReadEntries(std::string stored, const std::string& whose)
{
    const bool read = ReadAs(std::move(stored), true);
    if (!read && unreadable)
        WarnUnreadable(whose);
    return read;
}

bool StoredList::ReadPlain(std::string stored)
{
    Clear();
    text = std::move(stored);
    if (text.size() <= UINT32_MAX && ScanPlain())
        return true;
    Clear();
    return false;
}

void StoredList::Clear()
{
    text.clear();
    entries.clear();
    parsed = nullptr;
    firstId = SIZE_MAX;
    propertyList = false;
    unreadable = false;
}

bool StoredList::ReadAs(std::string stored, bool anyValues)
{
    Clear();
    if (stored.empty())
        return false;
    text = std::move(stored);
    // Spans are 32-bit: a text beyond that is no list the add-on wrote.
    if (text.size() <= UINT32_MAX && (ScanPlain() || ReadParsed(anyValues)))
        return true;
    Clear();
    unreadable = true;
    return false;
}

bool StoredList::ScanPlain()
{
    entries.clear();
    if (text.empty())
        return false;
    auto span = [this](std::string_view part) {
        return Span{static_cast<std::uint32_t>(part.data() - text.data()), static_cast<std::uint32_t>(part.size())};
    };
    entries.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '{')));
    const bool read = SimpleListScan(text).Read([&](const SimpleListScan::Entry& in) {
        // An absent member reads as empty; its view may point anywhere.
        auto at = [&](std::string_view part, Member member) { return in.held & member ? span(part) : Span{}; };
        if (firstId == SIZE_MAX && (in.held & name) != 0 && in.name == "id")
            firstId = entries.size();
        entries.push_back({at(in.group, group), at(in.name, name), at(in.unit, unit), at(in.type, type),
                           at(in.value, value), static_cast<unsigned char>(in.held)});
    });
    if (!read) {
        entries.clear();
        firstId = SIZE_MAX;
    }
    propertyList = read;
    return read;
}

// Any other form: parsed, and each member converted as every text field of the catalogue is;
// the texts are gathered into one.
bool StoredList::ReadParsed(bool anyValues)
{
    json list = TextToJson(GS::UniString(text));
    if (!IsListOfObjects(list))
        return false;
    std::string texts;
    std::vector<Entry> read;
    read.reserve(list.size());
    bool converted = true;
    for (const json& entry : list) {
        Entry in;
        Span* spans[] = {&in.group, &in.name, &in.unit, &in.type, &in.value};
        for (std::size_t k = 0; k < 5; ++k) {
            const auto member = entry.find(KeyOf(members[k]));
            GS::UniString part(members[k] == group ? "Korvel" : "");
            if (member != entry.end()) {
                in.held |= members[k];
                try {
                    part = member->get<GS::UniString>();
                } catch (const json::exception&) {
                    converted = false; // a boolean or an object: no property text
                }
            }
            const std::string utf8 = part.ToUtf8();
            *spans[k] = Span{static_cast<std::uint32_t>(texts.size()), static_cast<std::uint32_t>(utf8.size())};
            texts += utf8;
            if (texts.size() > UINT32_MAX)
                return false;
        }
        read.push_back(in);
    }
    if (!converted && !anyValues)
        return false;
    text = std::move(texts);
    entries = std::move(read);
    for (std::size_t i = 0; i < entries.size() && firstId == SIZE_MAX; ++i)
        if (Text(entries[i].name) == "id")
            firstId = i;
    parsed = std::move(list);
    propertyList = converted;
    unreadable = !converted;
    return true;
}

StoredList::Property StoredList::operator[](std::size_t i) const
{
    const Entry& entry = entries[i];
    return {Group(i), Text(entry.name), Text(entry.unit), Text(entry.type), Text(entry.value)};
}

std::vector<KorvelProperty> StoredList::Properties() const
{
    std::vector<KorvelProperty> properties(size());
    for (std::size_t i = 0; i < size(); ++i) {
        const Property texts = (*this)[i];
        properties[i].SetGroup(GS::UniString(std::string(texts.group)));
        properties[i].SetName(GS::UniString(std::string(texts.name)));
        properties[i].SetUnit(GS::UniString(std::string(texts.unit)));
        properties[i].SetType(GS::UniString(std::string(texts.type)));
        properties[i].SetValue(GS::UniString(std::string(texts.value)));
    }
    return properties;
}

std::string_view StoredList::ValueByName(std::string_view wanted) const
{
    for (std::size_t i = 0; i < size(); ++i)
        if (Text(entries[i].name) == wanted)
            return Text(entries[i].value);
    return {};
}

StoredList::Span StoredList::SpanOf(const Entry& entry, Member member)
{
    return member == group  ? entry.group
           : member == name ? entry.name
           : member == unit ? entry.unit
           : member == type ? entry.type
                            : entry.value;
}

const json* StoredList::Parsed(std::size_t i, Member member) const
{
    const json& entry = parsed.at(i);
    const auto found = entry.find(KeyOf(member));
    return found == entry.end() ? nullptr : &*found;
}

bool StoredList::IsText(std::size_t i, Member member, std::string_view wanted) const
{
    if (!Held(i, member))
        return false;
    if (parsed.is_null()) {
        return Text(SpanOf(entries[i], member)) == wanted;
    }
    const json* found = Parsed(i, member);
    return found != nullptr && found->is_string() && found->get_ref<const std::string&>() == wanted;
}

json StoredList::Json(std::size_t i, Member member) const
{
    if (!Held(i, member))
        return nullptr;
    if (parsed.is_null()) {
        return std::string(Text(SpanOf(entries[i], member)));
    }
    const json* found = Parsed(i, member);
    return found != nullptr ? *found : json();
}

bool ReadStoredList(const GS::UniString& text, const std::string& whose, KorvelProperties& properties)
{
    StoredList list;
    if (!list.Read(text.ToUtf8(), whose))
        return false;
    KorvelProperties read;
    for (KorvelProperty& property : list.Properties())
        read.AddProperty(std::move(property));
    properties = std::move(read);
    return true;
}

} // namespace KRV
