#pragma once
// The one place where JSON values and host texts meet.
//
// JSON -> text (every catalogue reader, for every text field): null leaves the target
// as it was, integers print in full, floating-point numbers with at least two decimals and
// as many more as give the value back (read as single precision below 65536), arrays as
// compact JSON (empty: the empty text), strings as they are; booleans and objects raise the
// JSON library's type error.
//
// text -> JSON (TextToJson): strict parsing; an empty or unparsable text gives the
// empty JSON string.
//
// Catalogue data nests a few levels. A value nested thousands of levels deep would exhaust
// the stack when it is parsed, copied or printed, so every text is measured before it is
// parsed, on every path (ParseJson), and refused beyond 256 levels.
#include <nlohmann/json.hpp>

#include "GS/UniString.hpp"

namespace KRV {
using json = nlohmann::json;

json TextToJson(const GS::UniString& text);
// Strict parsing of a text from outside (the page, a dropped file, a session, a payload): a
// discarded value, with the reason in `error`, for a text that is not JSON or nests too deep.
json ParseJson(const std::string& text, std::string* error = nullptr);
// A JSON value as host text by the rule above.
GS::UniString JsonToText(const json& value);
} // namespace KRV

namespace nlohmann {
template <> struct adl_serializer<GS::UniString> {
    static void to_json(json& j, const GS::UniString& text) { j = text.ToUtf8(); }
    static void from_json(const json& j, GS::UniString& text);
};
} // namespace nlohmann
