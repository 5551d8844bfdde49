// The streamed JSON text must be the JSON library's own dump, byte for byte: the page reads
// the take-off's reply, and the example sessions pin it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "JsonText.hpp"
#include "JsonWriter.hpp"

namespace {

using KRV::json;
using KRV::JsonWriter;

void Write(JsonWriter& writer, const json& value)
{
    switch (value.type()) {
    case json::value_t::object:
        writer.BeginObject();
        for (const auto& [key, member] : value.items()) {
            writer.Key(key);
            Write(writer, member);
        }
        writer.EndObject();
        break;
    case json::value_t::array:
        writer.BeginArray();
        for (const json& item : value)
            Write(writer, item);
        writer.EndArray();
        break;
    case json::value_t::string:
        writer.String(value.get_ref<const std::string&>());
        break;
    case json::value_t::number_integer:
        writer.Integer(value.get<std::int64_t>());
        break;
    case json::value_t::number_float:
        writer.Number(value.get<double>());
        break;
    default:
        writer.Null();
    }
}

std::string Dumped(const json& value)
{
    return value.dump(1, ' ', false, json::error_handler_t::replace);
}

std::string Streamed(const json& value)
{
    std::string text;
    JsonWriter writer(text);
    Write(writer, value);
    return text;
}

class Values {
public:
    explicit Values(unsigned seed) : random(seed) {}

    json Any(int depth)
    {
        switch (Pick(depth < 4 ? 6 : 4)) {
        case 0:
            return Text();
        case 1:
            return Double();
        case 2:
            return static_cast<std::int64_t>(random()) - (1LL << 31);
        case 3:
            return nullptr;
        case 4: {
            json list = json::array();
            for (int i = Pick(4); i > 0; --i)
                list.push_back(Any(depth + 1));
            return list;
        }
        default: {
            json object = json::object();
            for (int i = Pick(4); i > 0; --i)
                object[Text()] = Any(depth + 1);
            return object;
        }
        }
    }

private:
    int Pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

    std::string Text()
    {
        static const std::string pieces[] = {"a",
                                             "Wärme",
                                             "\"",
                                             "\\",
                                             "\n",
                                             "\t",
                                             "\x01",
                                             "\x1f",
                                             "\x7f",
                                             "€",
                                             "\xF0\x9F\x98\x80",
                                             "\xC3",
                                             "\xE2\x82",
                                             "\xFF",
                                             "\xED\xA0\x80",
                                             "\xC0\xAF",
                                             "/",
                                             " ",
                                             "\b\f\r"};
        std::string text;
        for (int i = Pick(6); i > 0; --i)
            text += pieces[Pick(static_cast<int>(std::size(pieces)))];
        return text;
    }

    double Double()
    {
        static const double special[] = {0.0,
                                         -0.0,
                                         1e-05,
                                         12.5,
                                         0.1,
                                         1e300,
                                         -2.5e-300,
                                         std::numeric_limits<double>::infinity(),
                                         std::numeric_limits<double>::quiet_NaN(),
                                         123456789.0};
        if (Pick(2) == 0)
            return special[Pick(static_cast<int>(std::size(special)))];
        return std::ldexp(static_cast<double>(random()) - 2e9, Pick(80) - 40);
    }

    std::mt19937 random;
};

TEST(JsonWriterTest, WritesWhatTheLibraryDumps)
{
    EXPECT_EQ(Streamed(json::array()), "[]");
    EXPECT_EQ(Streamed(json::object()), "{}");
    const json nested = {{"a", json::array({json::object(), json::array(), 1, 2.5, "x"})}, {"b", nullptr}};
    EXPECT_EQ(Streamed(nested), Dumped(nested));
    json deep = {{"k", 1}};
    for (int i = 0; i < 70; ++i)
        deep = json::array({deep, i});
    EXPECT_EQ(Streamed(deep), Dumped(deep));

    Values values(20261207);
    for (int i = 0; i < 3000; ++i) {
        const json value = values.Any(0);
        ASSERT_EQ(Streamed(value), Dumped(value)) << "value " << i;
    }
}

TEST(JsonWriterTest, PiecesWrittenApartJoinAsOne)
{
    // A member's value written on its own at the member's depth, then put in place.
    const json inner = {{"list", {1, 2, {{"k", "v"}}}}, {"name", "x"}};
    std::string part;
    JsonWriter partWriter(part, 1);
    Write(partWriter, inner);

    std::string whole;
    JsonWriter writer(whole);
    writer.BeginObject();
    writer.Key("first");
    writer.Raw(part);
    writer.Member("second", 2.0);
    writer.Member("third", "text");
    writer.EndObject();
    EXPECT_EQ(whole, Dumped({{"first", inner}, {"second", 2.0}, {"third", "text"}}));
}

} // namespace
