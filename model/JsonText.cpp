#include "JsonText.hpp"

#include <cinttypes>
#include <cstdio>
#include <iostream>

namespace nlohmann {

void adl_serializer<GS::UniString>::from_json(const json& j, GS::UniString& text)
{
    char buffer[64];
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
    case json::value_t::number_float:
        std::snprintf(buffer, sizeof buffer, "%.*f", 2, static_cast<double>(j.get<float>()));
        text = GS::UniString(buffer);
        return;
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

json TextToJson(const GS::UniString& text)
{
    json result = "";
    if (text.IsEmpty())
        return result;
    try {
        result = json::parse(text.ToUtf8(), nullptr, true, false);
    } catch (const json::parse_error& e) {
        std::cout << e.what() << std::endl;
        result = "";
    }
    return result;
}

GS::UniString JsonToText(const json& value) { return value.get<GS::UniString>(); }

} // namespace KRV
