// JSON text written as it goes, in the very form the JSON library's dump gives.
#include "JsonWriter.hpp"

#include <charconv>
#include <cmath>

#include "JsonText.hpp"

namespace KRV {

std::size_t Utf8Sequence(const unsigned char* at, const unsigned char* end)
{
    const unsigned char c = at[0];
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF; // the second byte's range; later ones are always 80..BF
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (end - at < static_cast<std::ptrdiff_t>(length) || at[1] < low || at[1] > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (at[i] < 0x80 || at[i] > 0xBF)
            return 0;
    return length;
}

void JsonWriter::BeforeValue()
{
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (filled.empty())
        return;
    NewLine(filled.back() != 0);
    filled.back() = 1;
}

void JsonWriter::NewLine(bool comma)
{
    if (compact) {
        if (comma)
            out += ',';
        return;
    }
    // Separator and indentation in one piece: the reply has a line for every value.
    static constexpr std::size_t most = 62;
    static const std::string breaks = ",\n" + std::string(most, ' ');
    const auto blanks = static_cast<std::size_t>(depth);
    if (blanks <= most) {
        out.append(breaks, comma ? 0 : 1, (comma ? 2 : 1) + blanks);
        return;
    }
    out += comma ? ",\n" : "\n";
    out.append(blanks, ' ');
}

void JsonWriter::Open(char bracket)
{
    BeforeValue();
    out += bracket;
    filled.push_back(0);
    ++depth;
}

void JsonWriter::Close(char bracket)
{
    --depth;
    if (filled.back() != 0)
        NewLine(false);
    filled.pop_back();
    out += bracket;
}

void JsonWriter::Key(std::string_view key)
{
    BeforeValue();
    out += '"';
    Escaped(key);
    out += compact ? "\":" : "\": ";
    afterKey = true;
}

void JsonWriter::String(std::string_view text)
{
    BeforeValue();
    out += '"';
    Escaped(text);
    out += '"';
}

void JsonWriter::Escaped(std::string_view text)
{
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = begin + text.size();
    for (const unsigned char* at = begin; at < end;) {
        if (*at < 0x80) {
            ++at;
        } else if (const std::size_t length = Utf8Sequence(at, end); length != 0) {
            at += length;
        } else {
            // Malformed UTF-8: the library's own replacement rules, for the whole text.
            std::string whole;
            nlohmann::detail::serializer<json> serializer(nlohmann::detail::output_adapter<char>(whole), ' ',
                                                          json::error_handler_t::replace);
            serializer.dump(json(std::string(text)), false, false, 0);
            out.append(whole, 1, whole.size() - 2); // without its quotes
            return;
        }
    }
    // Well-formed: copied in runs, but for quotes, backslashes and control characters.
    const unsigned char* run = begin;
    for (const unsigned char* at = begin; at < end; ++at) {
        const unsigned char c = *at;
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(reinterpret_cast<const char*>(run), static_cast<std::size_t>(at - run));
        run = at + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\r':
            out += "\\r";
            break;
        default: {
            static const char digits[] = "0123456789abcdef";
            out += "\\u00";
            out += digits[c >> 4];
            out += digits[c & 0xF];
        }
        }
    }
    out.append(reinterpret_cast<const char*>(run), static_cast<std::size_t>(end - run));
}

void JsonWriter::Integer(std::int64_t number)
{
    BeforeValue();
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

void JsonWriter::Number(double number)
{
    BeforeValue();
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    char buffer[64];
    const char* last = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, static_cast<std::size_t>(last - buffer));
}

void JsonWriter::Null()
{
    BeforeValue();
    out += "null";
}

void JsonWriter::Raw(std::string_view text)
{
    BeforeValue();
    out += text;
}

} // namespace KRV
