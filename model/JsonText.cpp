// The one place where JSON values and host texts meet.
#include "JsonText.hpp"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace nlohmann {

void adl_serializer<GS::UniString>::from_json(const json& j, GS::UniString& text)
{
    char buffer[400]; // the widest double printed in full
    switch (j.type()) {
    case json::value_t::null:
        return;
    case json::value_t::number_integer:
        // Full 64 bits: catalogue ids and millisecond stamps reach past 32 bits.
        std::snprintf(buffer, sizeof buffer, "%" PRId64, j.get<std::int64_t>());
        text = GS::UniString(buffer);
        return;
    case json::value_t::number_unsigned:
        std::snprintf(buffer, sizeof buffer, "%" PRIu64, j.get<std::uint64_t>());
        text = GS::UniString(buffer);
        return;
    case json::value_t::number_float: {
        // Single precision keeps the texts earlier imports stored; from 65536 on it cannot
        // hold hundredths any more, so larger values are read in full. At least two decimals,
        // and as many more as it takes to give back the value read: 0.035 stays "0.035".
        const double value = j.get<double>();
        const bool single = std::fabs(value) < 65536.0;
        const double read = single ? static_cast<double>(static_cast<float>(value)) : value;
        for (int decimals = 2; decimals <= 60; ++decimals) {
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, read);
            if (!std::isfinite(read) || (single ? static_cast<double>(std::strtof(buffer, nullptr)) == read
                                                : std::strtod(buffer, nullptr) == read))
                break;
        }
        text = GS::UniString(buffer);
        return;
    }
    case json::value_t::array:
        text = j.empty() ? GS::UniString() : GS::UniString(j.dump());
        return;
    case json::value_t::string:
        text = GS::UniString(j.get_ref<const std::string&>());
        return;
    default:
        // Raises "type must be string, but is ..." for booleans, objects and binary.
        text = GS::UniString(j.get<std::string>());
        return;
    }
}

} // namespace nlohmann

namespace KRV {

namespace {

// Catalogue data nests a few levels; copying or printing a value nested thousands of
// levels deep would exhaust the stack, so such a text is refused before it is parsed.
constexpr int maxNesting = 256;

bool NestsTooDeep(const std::string& text)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maxNesting)
                return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

} // namespace

json ParseJson(const std::string& text, std::string* error)
{
    if (NestsTooDeep(text)) {
        if (error != nullptr)
            *error = "JSON text nested deeper than " + std::to_string(maxNesting) + " levels";
        return json(json::value_t::discarded);
    }
    // Whatever the library refuses the text for (a syntax error, a number beyond a double's
    // range), it is no JSON the add-on can read.
    try {
        return json::parse(text, nullptr, true, false);
    } catch (const json::exception& e) {
        if (error != nullptr)
            *error = e.what();
    }
    return json(json::value_t::discarded);
}

json TextToJson(const GS::UniString& text)
{
    if (text.IsEmpty())
        return "";
    std::string error;
    json result = ParseJson(text.ToUtf8(), &error);
    if (result.is_discarded()) {
        std::cout << error << std::endl;
        return "";
    }
    return result;
}

GS::UniString JsonToText(const json& value)
{
    return value.get<GS::UniString>();
}

} // namespace KRV
