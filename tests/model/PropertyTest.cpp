// Catalogue properties: values as text, reading, writing and lists.
#include "KorvelProperties.hpp"
#include "WorkFolder.hpp"

using KRV::json;
using KRV::KorvelProperties;
using KRV::KorvelProperty;
using testing_support::HostTest;

class PropertyTest : public HostTest {};

static std::string Text(const json& j)
{
    return KRV::JsonToText(j).ToUtf8();
}

TEST_F(PropertyTest, JsonValuesBecomeTextByOneRule)
{
    EXPECT_EQ(Text(json(3)), "3");
    EXPECT_EQ(Text(json(-42)), "-42");
    EXPECT_EQ(Text(json(0.2)), "0.20");
    EXPECT_EQ(Text(json(12.5)), "12.50");
    // At least two decimals, and as many more as give the value back: a conductivity of
    // 0.035 is not 0.04 (read in single precision, so no digits beyond what it holds).
    EXPECT_EQ(Text(json(0.035)), "0.035");
    EXPECT_EQ(Text(json(0.615)), "0.615");
    EXPECT_EQ(Text(json(0.0125)), "0.0125");
    EXPECT_EQ(Text(json(0.1)), "0.10");
    EXPECT_EQ(Text(json(-0.00001)), "-0.00001");
    EXPECT_EQ(Text(json(1.0 / 3.0)), "0.33333334");
    EXPECT_EQ(Text(json(65536.125)), "65536.125");
    EXPECT_EQ(Text(json(16777217.25)), "16777217.25"); // beyond single precision
    EXPECT_EQ(Text(json(-1234567.89)), "-1234567.89");
    EXPECT_EQ(Text(json::array()), "");
    EXPECT_EQ(Text(json::parse("[1, 2]")), "[1,2]");
    EXPECT_EQ(Text(json("Beton C25/30")), "Beton C25/30");
    EXPECT_EQ(Text(json(nullptr)), "");
    // Ids and millisecond stamps past 32 bits keep every digit.
    EXPECT_EQ(Text(json(1700000000123LL)), "1700000000123");
    EXPECT_EQ(Text(json(2147483648LL)), "2147483648");
    EXPECT_EQ(Text(json(-2147483649LL)), "-2147483649");
    EXPECT_EQ(Text(json(18446744073709551615ULL)), "18446744073709551615");
    EXPECT_EQ(Text(json(2147483647)), "2147483647");
    // Null leaves an already filled target alone.
    GS::UniString kept("kept");
    nlohmann::adl_serializer<GS::UniString>::from_json(json(nullptr), kept);
    EXPECT_EQ(kept, "kept");
    try {
        Text(json(true));
        FAIL() << "a boolean is not text";
    } catch (const json::type_error& e) {
        EXPECT_NE(std::string(e.what()).find("type must be string, but is boolean"), std::string::npos);
    }
    EXPECT_THROW(Text(json::object()), json::type_error);
}

TEST_F(PropertyTest, TextBecomesJsonStrictlyAndBadTextIsTheEmptyString)
{
    EXPECT_EQ(KRV::TextToJson(""), json(""));
    EXPECT_EQ(KRV::TextToJson("{\"a\": [1, 2]}"), json::parse("{\"a\":[1,2]}"));
    testing::internal::CaptureStdout();
    EXPECT_EQ(KRV::TextToJson("{\"a\": 1 /* comment */}"), json(""));
    EXPECT_EQ(KRV::TextToJson("{not json"), json(""));
    EXPECT_EQ(KRV::TextToJson("[1e999]"), json("")); // beyond a double's range
    // Nesting that would exhaust the stack when copied or printed is refused.
    EXPECT_EQ(KRV::TextToJson(std::string(100000, '[') + std::string(100000, ']')), json(""));
    EXPECT_EQ(KRV::TextToJson("[\"[[[[\", {\"a\": [[1]]}]"), json::parse(R"(["[[[[", {"a": [[1]]}])"));
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("parse_error"), std::string::npos);
    EXPECT_NE(printed.find("out_of_range.406"), std::string::npos);
}

TEST_F(PropertyTest, ReadingAPropertyFillsDefaultsAndStopsAtABadMember)
{
    KorvelProperty empty = json::object().get<KorvelProperty>();
    EXPECT_EQ(empty.GetGroup(), "Korvel");
    EXPECT_EQ(empty.GetName(), "");
    EXPECT_EQ(empty.GetValue(), "");

    KorvelProperty notObject = json(5).get<KorvelProperty>();
    EXPECT_EQ(notObject.GetGroup(), "Korvel");

    auto full = json::parse(R"({"group":"Physik","name":"Dichte","unit":"kg/m3","type":"Density","value":2400})")
                    .get<KorvelProperty>();
    EXPECT_EQ(full.GetGroup(), "Physik");
    EXPECT_EQ(full.GetUnit(), "kg/m3");
    EXPECT_EQ(full.GetType(), "Density");
    EXPECT_EQ(full.GetValue(), "2400");

    KorvelProperty kept = full;
    KRV::from_json(json(nullptr), kept);
    EXPECT_EQ(kept, full);

    KorvelProperty partly;
    EXPECT_THROW(KRV::from_json(json::parse(R"({"group":"G","name":"N","unit":true,"value":"v"})"), partly),
                 json::type_error);
    EXPECT_EQ(partly.GetGroup(), "G");
    EXPECT_EQ(partly.GetName(), "N");
    EXPECT_EQ(partly.GetValue(), "");

    EXPECT_THROW(json::parse(R"({"value":{"a":1}})").get<KorvelProperty>(), json::type_error);
}

TEST_F(PropertyTest, WritingAPropertyGivesFiveStringsInKeyOrder)
{
    EXPECT_EQ(json(KorvelProperty()).dump(), R"({"group":"","name":"","type":"","unit":"","value":""})");
    KorvelProperty p;
    p.SetGroup("Korvel");
    p.SetName("id");
    p.SetValue("42");
    std::vector<KorvelProperty> list{p, p};
    EXPECT_EQ(json(list).dump(), R"([{"group":"Korvel","name":"id","type":"","unit":"","value":"42"},)"
                                 R"({"group":"Korvel","name":"id","type":"","unit":"","value":"42"}])");
    EXPECT_EQ(json(list).get<std::vector<KorvelProperty>>(), list);
    EXPECT_THROW(json("x").get<std::vector<KorvelProperty>>(), json::type_error);
}

TEST_F(PropertyTest, ListsKeepOrderAndDuplicates)
{
    KorvelProperties list =
        json::parse(R"([{"name":"a","value":"1"},{"name":"a","value":"2"},{"name":"b"}])").get<KorvelProperties>();
    ASSERT_EQ(list.GetProperties().size(), 3u);
    EXPECT_EQ(list.GetPropertyValueByName("a"), "1");
    EXPECT_EQ(list.GetPropertyValueByName("missing"), "");
    EXPECT_FALSE(list.empty());

    KorvelProperties reversed =
        json::parse(R"([{"name":"b"},{"name":"a","value":"2"},{"name":"a","value":"1"}])").get<KorvelProperties>();
    EXPECT_NE(list, reversed);
    EXPECT_EQ(list, KorvelProperties(list));

    // Object members are read in key order; reading appends.
    KorvelProperties fromObject;
    KRV::from_json(json::parse(R"({"z":{"name":"last"},"a":{"name":"first"}})"), fromObject);
    KRV::from_json(json(nullptr), fromObject);
    KRV::from_json(json::parse(R"([{"name":"more"}])"), fromObject);
    auto props = fromObject.GetProperties();
    ASSERT_EQ(props.size(), 3u);
    EXPECT_EQ(props[0].GetName(), "first");
    EXPECT_EQ(props[1].GetName(), "last");
    EXPECT_EQ(props[2].GetName(), "more");
}

TEST_F(PropertyTest, PrintWritesGroupNameAndValue)
{
    KorvelProperty p;
    p.SetGroup("G");
    p.SetName("N");
    p.SetUnit("U");
    p.SetValue("V");
    p.Print();
    const std::string& out = host().GetDebugOutput();
    EXPECT_NE(out.find("group: G name: N value: V\n"), std::string::npos);
    EXPECT_EQ(out.find('U'), std::string::npos); // the unit is not printed
}
