// Reading a stored text back as a property list, fast for the plain form the add-on writes.
#include "StoredList.hpp"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "JsonText.hpp"
#include "JsonWriter.hpp"
#include "Logger.hpp"

namespace KRV {

namespace {

// The form nearly every stored list has, as the add-on writes it: a list of flat objects
// whose members are texts without escapes. Scanned here without the parser,
// which is most of what the take-off and the refresh spend per material; anything else in
// the text answers false, and the parser reads it as before.
class SimpleListScan {
public:
    // One entry's members as the text holds them; `held` says which were there
    // (StoredTexts::Member bits).
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
                entry.held |= StoredTexts::group;
            } else if (key == "name") {
                entry.name = value;
                entry.held |= StoredTexts::name;
            } else if (key == "unit") {
                entry.unit = value;
                entry.held |= StoredTexts::unit;
            } else if (key == "type") {
                entry.type = value;
                entry.held |= StoredTexts::type;
            } else if (key == "value") {
                entry.value = value;
                entry.held |= StoredTexts::value;
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

// Reads a plain stored list (a list of objects whose members are plain values) straight
// into properties, without building the list or its entries first: the take-off and the refresh read one
// per material. Anything else answers false, and the whole reading below decides.
class ListReader : public nlohmann::json_sax<json> {
public:
    KorvelProperties properties;

    bool null() override
    {
        return Member([] { return GS::UniString(); });
    }
    bool boolean(bool value) override
    {
        return Member([&] { return json(value).get<GS::UniString>(); }); // refused as a property text
    }
    bool number_integer(number_integer_t value) override
    {
        return Member([&] { return json(value).get<GS::UniString>(); });
    }
    bool number_unsigned(number_unsigned_t value) override
    {
        return Member([&] { return json(value).get<GS::UniString>(); });
    }
    bool number_float(number_float_t value, const string_t&) override
    {
        return Member([&] { return json(value).get<GS::UniString>(); });
    }
    bool string(string_t& value) override
    {
        return Member([&] { return GS::UniString(value); });
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override
    {
        if (depth != 1)
            return false;
        ++depth;
        // As from_json reads an entry: defaults where a member is absent.
        entry = KorvelProperty();
        entry.SetGroup("Korvel");
        return true;
    }
    bool key(string_t& text) override
    {
        member = text == "group"   ? &KorvelProperty::SetGroup
                 : text == "name"  ? &KorvelProperty::SetName
                 : text == "unit"  ? &KorvelProperty::SetUnit
                 : text == "type"  ? &KorvelProperty::SetType
                 : text == "value" ? &KorvelProperty::SetValue
                                   : nullptr;
        return true;
    }
    bool end_object() override
    {
        --depth;
        properties.AddProperty(std::move(entry));
        return true;
    }
    bool start_array(std::size_t) override
    {
        if (depth != 0)
            return false;
        ++depth;
        return true;
    }
    bool end_array() override
    {
        --depth;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    // Only the members a property has are kept, each converted as from_json converts it; the
    // last of a name wins, as in a parsed object.
    template <typename Make> bool Member(Make make)
    {
        if (depth != 2)
            return false;
        if (member != nullptr)
            (entry.*member)(make());
        return true;
    }

    int depth = 0;
    void (KorvelProperty::*member)(GS::UniString) = nullptr;
    KorvelProperty entry;
};

bool ReadPlainList(const GS::UniString& text, KorvelProperties& properties)
{
    if (StoredTexts plain; plain.ReadPlain(text.ToUtf8())) {
        KorvelProperties list;
        for (KorvelProperty& property : plain.Properties())
            list.AddProperty(std::move(property));
        properties = std::move(list);
        return true;
    }
    ListReader reader;
    try {
        if (!json::sax_parse(text.ToUtf8(), &reader, json::input_format_t::json, true, false))
            return false;
    } catch (const json::exception&) {
        return false; // a value of the wrong type, say: the whole reading says so
    }
    properties = std::move(reader.properties);
    return true;
}

void WarnUnreadable(const std::string& whose)
{
    LogWarning("The catalogue data stored for " + whose + " does not read as a property list; it is left out.");
}

bool IsListOfObjects(const json& stored)
{
    bool readable = stored.is_array();
    for (const json& entry : stored)
        readable = readable && entry.is_object();
    return readable;
}

} // namespace

json StoredEntries(const GS::UniString& text, const std::string& whose)
{
    if (text.IsEmpty())
        return nullptr;
    json stored = TextToJson(text);
    if (stored.is_null())
        return nullptr;
    if (!IsListOfObjects(stored)) {
        WarnUnreadable(whose);
        return nullptr;
    }
    return stored;
}

bool ReadStoredList(const GS::UniString& text, const std::string& whose, KorvelProperties& properties)
{
    if (text.IsEmpty())
        return false;
    if (ReadPlainList(text, properties))
        return true;
    json stored = TextToJson(text);
    if (IsListOfObjects(stored)) {
        try {
            KorvelProperties list;
            from_json(stored, list);
            properties = std::move(list);
            return true;
        } catch (const json::exception&) {
        }
    }
    WarnUnreadable(whose);
    return false;
}

bool StoredTexts::Read(std::string stored, const std::string& whose)
{
    // Spans are 32-bit: a text beyond that is no list the add-on wrote.
    auto refused = [&] {
        WarnUnreadable(whose);
        text.clear();
        entries.clear();
        return false;
    };
    if (stored.size() > UINT32_MAX)
        return refused();
    text = std::move(stored);
    if (ScanPlain())
        return true;
    // Any other form: read as every reader reads it, the texts gathered into one.
    const GS::UniString original(text);
    text.clear();
    entries.clear();
    KorvelProperties properties;
    if (!ReadStoredList(original, whose, properties))
        return false;
    std::vector<std::size_t> starts;
    for (const KorvelProperty& property : properties.View())
        for (const GS::UniString* part : {&property.GetGroup(), &property.GetName(), &property.GetUnit(),
                                          &property.GetType(), &property.GetValue()}) {
            starts.push_back(text.size());
            text += part->ToUtf8();
        }
    starts.push_back(text.size());
    if (text.size() > UINT32_MAX)
        return refused();
    for (std::size_t i = 0; i + 1 < starts.size(); i += 5) {
        auto part = [&](std::size_t k) {
            return Span{static_cast<std::uint32_t>(starts[i + k]),
                        static_cast<std::uint32_t>(starts[i + k + 1] - starts[i + k])};
        };
        entries.push_back({part(0), part(1), part(2), part(3), part(4), group | name | value | unit | type});
    }
    return true;
}

StoredTexts::Property StoredTexts::operator[](std::size_t i) const
{
    const Entry& entry = entries[i];
    return {Group(i), Text(entry.name), Text(entry.unit), Text(entry.type), Text(entry.value)};
}

std::vector<KorvelProperty> StoredTexts::Properties() const
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

std::string_view StoredTexts::ValueByName(std::string_view name) const
{
    for (const Entry& entry : entries)
        if (Text(entry.name) == name)
            return Text(entry.value);
    return {};
}

bool StoredTexts::ReadPlain(std::string stored)
{
    text = std::move(stored);
    if (text.size() <= UINT32_MAX && ScanPlain())
        return true;
    text.clear();
    return false;
}

bool StoredTexts::ScanPlain()
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
        entries.push_back({at(in.group, group), at(in.name, name), at(in.unit, unit), at(in.type, type),
                           at(in.value, value), static_cast<unsigned char>(in.held)});
    });
    if (!read)
        entries.clear();
    return read;
}

} // namespace KRV
