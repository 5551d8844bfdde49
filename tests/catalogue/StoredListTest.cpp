// Stored lists are read by a fast reader when they are plain, and parsed whole otherwise. The
// two must agree on every text: what the take-off and the refresh report depends on it.
#include "StoredList.hpp"
#include "WorkFolder.hpp"

using namespace testing_support;
using nlohmann::json;

namespace {

// The whole reading: the text parsed, then each entry converted; nullopt where it fails.
std::optional<KRV::KorvelProperties> WholeReading(const std::string& text)
{
    const json parsed = json::parse(text, nullptr, false);
    if (!parsed.is_array())
        return std::nullopt;
    for (const json& entry : parsed)
        if (!entry.is_object())
            return std::nullopt;
    try {
        KRV::KorvelProperties list;
        from_json(parsed, list);
        return list;
    } catch (const json::exception&) {
        return std::nullopt;
    }
}

class StoredListTest : public HostTest {};

TEST_F(StoredListTest, EveryTextReadsAsTheWholeReadingReadsIt)
{
    std::vector<std::string> texts = {
        "[]",
        R"([{"group":"VORO Attributes","name":"Density","unit":"kg/m3","type":"number","value":"35"}])",
        // Absent members take their defaults; null ones are empty.
        R"([{"name":"Lambda"},{"group":null,"name":"x","value":null}])",
        // Numbers as the catalogue sends them: integers past 32 bits, floats kept exact.
        R"([{"name":"a","value":0.035},{"name":"b","value":12.5},{"name":"c","value":1e6},
            {"name":"d","value":18446744073709551615},{"name":"e","value":-1700000000000},
            {"name":"f","value":65536.125},{"name":"g","value":0.0125}])",
        // Members of a name twice: the last wins, even over one that would not read.
        R"([{"name":"a","value":"1","value":"2"},{"name":"b","value":true,"value":"3"}])",
        // Members a property does not have are left out, whatever they hold.
        R"([{"name":"a","extra":true,"more":{"x":[1,2]},"value":"v"}])",
        // A list as a value: its text.
        R"([{"name":"a","value":[1,"x"]},{"name":"b","value":[]}])",
        R"([{"name":"üñí","value":"\u00e9\n\"q\""}])",
        // Blanks wherever JSON allows them, none where it does not.
        " \t\r\n[ {\"name\" : \"a\" ,\n\"value\":\"b\" } , {}\t]\n ",
        R"([{"":"x","name":"","value":""}])",
        // The first "id" is the catalogue id.
        R"([{"value":"none"},{"name":"id","value":"7"},{"name":"id","value":"8"}])",
        R"([{"name":"id","value":7},{"name":"id","value":"8"}])",
        // An escaped key is the key it stands for.
        R"([{"na\u006de":"a","value":"1"}])",
        R"([{"name":"a\/b","value":"tab\there"}])",
        // What is no property list.
        R"([{"name":"a"},])",
        R"([,{"name":"a"}])",
        R"([{"name":"a",}])",
        R"([{"name" "a"}])",
        R"([{"name":"a"}] x)",
        std::string(R"([{"name":"a"}])") + '\0',
        "[{\"name\":\"a\tb\"}]",
        // Texts in UTF-8 as the catalogue writes them, and bytes that are no UTF-8.
        R"x([{"group":"Technische Daten","name":"Wärmeleitfähigkeit","unit":"W/(m·K)","value":"0,035 €"}])x",
        "[{\"name\":\"\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf\xed\x9f\xbf\"}]",
        "[{\"name\":\"\xff\"}]",
        "[{\"name\":\"\x80\"}]",
        "[{\"name\":\"\xc0\xaf\"}]",
        "[{\"name\":\"\xe0\x80\xaf\"}]",
        "[{\"name\":\"\xed\xa0\x80\"}]",
        "[{\"name\":\"\xf4\x90\x80\x80\"}]",
        "[{\"name\":\"\xc3\"}]",
        "[{\"name\":\"\xe2\x82\"}]",
        R"([{"name":"a")",
        R"([{"name":"a)",
        "[",
        // What is no property list.
        R"([{"name":"a","value":true}])",
        R"([{"name":"a","value":{"x":1}}])",
        R"([{"name":"a"},"text"])",
        R"({"name":"a"})",
        R"([{"name":"a"})",
        "not json",
        R"([[{"name":"a"}]])",
    };
    // Long texts are read a word at a time: what a text holds at every place in a word.
    for (const std::string special : {"\\\"", "\\n", "\t", "\x01", "\x7f", "ä", "€", "\xff", "\xc3", "\"", " "})
        for (std::size_t at = 0; at <= 17; ++at)
            texts.push_back(R"([{"name":")" + std::string(at, 'a') + special + std::string(17 - at, 'b') +
                            R"(","value":"12345678901234567890"}])");
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const std::size_t before = LogMessages().size();
        KRV::KorvelProperties read;
        KRV::KorvelProperty kept;
        kept.SetName("kept");
        read.AddProperty(kept);
        const bool ok = KRV::ReadStoredList(GS::UniString(text), "the material \"M\"", read);
        const std::optional<KRV::KorvelProperties> expected = WholeReading(text);
        EXPECT_EQ(ok, expected.has_value());
        const std::vector<std::string> messages = LogMessages();
        if (expected) {
            EXPECT_TRUE(read == *expected);
            EXPECT_EQ(messages.size(), before);
        } else {
            // Nothing half-read is kept, and one warning says whose text it was.
            ASSERT_EQ(read.View().size(), 1u);
            EXPECT_EQ(read.View()[0].GetName(), "kept");
            ASSERT_EQ(messages.size(), before + 1);
            EXPECT_NE(messages.back().find("the material \"M\" does not read as a property list"), std::string::npos);
        }
        // The report's reading in place gives the same texts, and the same warning.
        const std::size_t beforeTexts = LogMessages().size();
        KRV::StoredList texts;
        EXPECT_EQ(texts.Read(text, "the material \"M\""), expected.has_value());
        EXPECT_EQ(LogMessages().size(), beforeTexts + (expected ? 0 : 1));
        const std::vector<KRV::KorvelProperty> none;
        const auto& want = expected ? expected->View() : none;
        ASSERT_EQ(texts.size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i) {
            EXPECT_EQ(texts[i].group, want[i].GetGroup().ToUtf8());
            EXPECT_EQ(texts[i].name, want[i].GetName().ToUtf8());
            EXPECT_EQ(texts[i].unit, want[i].GetUnit().ToUtf8());
            EXPECT_EQ(texts[i].type, want[i].GetType().ToUtf8());
            EXPECT_EQ(texts[i].value, want[i].GetValue().ToUtf8());
        }
        EXPECT_EQ(texts.Id(), texts.ValueByName("id"));
        if (!want.empty()) {
            EXPECT_EQ(texts.ValueByName(want.back().GetName().ToUtf8()),
                      KRV::KorvelProperties(*expected).GetPropertyValueByName(want.back().GetName()).ToUtf8());
        }
        // The plain reading takes a text only when it reads alike, and says nothing.
        KRV::StoredList plain;
        const std::size_t beforePlain = LogMessages().size();
        if (plain.ReadPlain(text)) {
            ASSERT_TRUE(expected.has_value());
            ASSERT_EQ(plain.size(), want.size());
            for (std::size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(plain[i].group, want[i].GetGroup().ToUtf8());
                EXPECT_EQ(plain[i].value, want[i].GetValue().ToUtf8());
            }
        } else {
            EXPECT_EQ(plain.size(), 0u);
        }
        EXPECT_EQ(LogMessages().size(), beforePlain);
        // The entries as JSON, whatever their values' types, for any list of objects: a
        // number stays a number.
        const json parsed = json::parse(text, nullptr, false);
        bool objects = parsed.is_array();
        for (const json& entry : objects ? parsed : json::array())
            objects = objects && entry.is_object();
        KRV::StoredList entries;
        const std::size_t beforeEntries = LogMessages().size();
        ASSERT_EQ(entries.ReadEntries(text, "the material \"M\""), objects);
        EXPECT_EQ(LogMessages().size(), beforeEntries + (objects || text.empty() ? 0 : 1));
        ASSERT_EQ(entries.EntryCount(), objects ? parsed.size() : 0u);
        for (std::size_t i = 0; i < entries.EntryCount(); ++i)
            for (const auto& [member, key] : {std::pair{KRV::StoredList::group, "group"},
                                              {KRV::StoredList::name, "name"},
                                              {KRV::StoredList::value, "value"}}) {
                EXPECT_EQ(entries.Held(i, member), parsed[i].contains(key));
                EXPECT_EQ(entries.Json(i, member), parsed[i].value(key, json()));
                if (parsed[i].contains(key) && parsed[i][key].is_string())
                    EXPECT_TRUE(entries.IsText(i, member, parsed[i][key].get<std::string>()));
                else
                    EXPECT_FALSE(entries.IsText(i, member, ""));
            }
    }
    // Which members a plain text gave.
    KRV::StoredList plain;
    ASSERT_TRUE(plain.ReadPlain(R"([{"name":"id","value":"7"},{"group":"Korvel"}])"));
    EXPECT_TRUE(plain.Held(0, KRV::StoredList::name));
    EXPECT_TRUE(plain.Held(0, KRV::StoredList::value));
    EXPECT_FALSE(plain.Held(0, KRV::StoredList::group));
    EXPECT_EQ(plain.Group(0), "Korvel");
    EXPECT_TRUE(plain.Held(1, KRV::StoredList::group));
    EXPECT_FALSE(plain.Held(1, KRV::StoredList::name));
    EXPECT_FALSE(plain.ReadPlain(R"([{"name":"a\"b"}])"));
    // Spot checks of what the readings give, so that both cannot be wrong alike.
    KRV::KorvelProperties read;
    ASSERT_TRUE(KRV::ReadStoredList(GS::UniString(texts[3]), "x", read));
    EXPECT_EQ(read.View()[0].GetValue(), "0.035");
    EXPECT_EQ(read.View()[1].GetValue(), "12.50");
    EXPECT_EQ(read.View()[3].GetValue(), "18446744073709551615");
    EXPECT_EQ(read.View()[6].GetValue(), "0.0125");
    ASSERT_TRUE(KRV::ReadStoredList(GS::UniString(texts[2]), "x", read));
    EXPECT_EQ(read.View()[0].GetGroup(), "Korvel");
    EXPECT_EQ(read.View()[1].GetGroup(), "");
}

} // namespace
