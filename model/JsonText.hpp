#pragma once
// The one place where JSON values and host texts meet.
//
// JSON -> text (every catalogue reader, for every text field): null leaves the target
// as it was, integers print in full, floating-point numbers with two decimals (read as
// single precision), arrays as compact JSON (empty: the empty text), strings as they
// are; booleans and objects raise the JSON library's type error.
//
// text -> JSON (TextToJson): strict parsing; an empty or unparsable text gives the
// empty JSON string.
#include <nlohmann/json.hpp>

#include "GS/UniString.hpp"

namespace KRV {
using json = nlohmann::json;

json TextToJson(const GS::UniString& text);
// A JSON value as host text by the rule above.
GS::UniString JsonToText(const json& value);
} // namespace KRV

namespace nlohmann {
template <> struct adl_serializer<GS::UniString> {
    static void to_json(json& j, const GS::UniString& text) { j = text.ToUtf8(); }
    static void from_json(const json& j, GS::UniString& text);
};
} // namespace nlohmann
