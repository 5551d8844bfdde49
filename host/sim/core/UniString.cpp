// GS::UniString over UTF-8: conversions and comparison.
#include "GS/UniString.hpp"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <vector>

#include "CaseFold.hpp"

namespace GS {
namespace {

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Byte offset of the character with the given index (or the end).
std::size_t ByteOffset(const std::string& text, UIndex index)
{
    std::size_t pos = 0;
    for (UIndex i = 0; i < index && pos < text.size(); ++i) {
        ++pos;
        while (pos < text.size() && IsContinuation(static_cast<unsigned char>(text[pos])))
            ++pos;
    }
    return pos;
}

// The code point at `i`, which moves past it.
char32_t Next(const std::string& text, std::size_t& i)
{
    unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
    ++i;
    for (int k = 0; k < extra && i < text.size() && IsContinuation(static_cast<unsigned char>(text[i])); ++k, ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    return cp;
}

std::vector<char32_t> Decode(const std::string& text)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();)
        out.push_back(Next(text, i));
    return out;
}

// Full-range simple case folding, as the host's own string library does it (ASCII folds
// only A-Z, without asking the tables: sorting a large take-off compares a lot).
char32_t Fold(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    return sim::FoldCase(c);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

UniString::UniString(const char* text, CHEncoding) : text(text != nullptr ? text : "") {}
UniString::UniString(const std::string& text, CHEncoding) : text(text) {}

// UTF-16 in, UTF-8 kept; an unpaired surrogate becomes U+FFFD.
UniString::UniString(const uchar_t* wide)
{
    if (wide == nullptr)
        return;
    auto put = [this](char32_t c) {
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (c >> 18));
            text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    };
    for (const uchar_t* p = wide; *p != 0; ++p) {
        char32_t c = *p;
        if (c >= 0xD800 && c < 0xDC00 && p[1] >= 0xDC00 && p[1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
            ++p;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        put(c);
    }
}

UniString::UStr UniString::ToUStr() const
{
    std::u16string wide;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        const int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            wide += u'\uFFFD';
            ++i;
            continue;
        }
        char32_t c = length == 1 ? b : b & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (c >= 0x10000) {
            c -= 0x10000;
            wide += static_cast<char16_t>(0xD800 + (c >> 10));
            wide += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            wide += static_cast<char16_t>(c);
        }
    }
    return UStr(std::move(wide));
}

uchar_t* ucscpy(uchar_t* target, const uchar_t* source)
{
    uchar_t* out = target;
    while ((*out++ = *source++) != 0) {
    }
    return target;
}

USize UniString::GetLength() const
{
    USize count = 0;
    for (unsigned char c : text)
        if (!IsContinuation(c))
            ++count;
    return count;
}

UniString UniString::GetSubstring(UIndex from, USize length) const
{
    std::size_t begin = ByteOffset(text, from);
    std::size_t end = length == MaxUIndex ? text.size() : begin + ByteOffset(text.substr(begin), length);
    return UniString(text.substr(begin, end - begin));
}

UniString UniString::GetSuffix(USize length) const
{
    USize total = GetLength();
    return length >= total ? *this : GetSubstring(total - length, length);
}

void UniString::DeleteLast(USize count)
{
    USize total = GetLength();
    *this = count >= total ? UniString() : GetSubstring(0, total - count);
}

void UniString::Trim()
{
    *this = Trimmed();
}

UniString UniString::Trimmed() const
{
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    return UniString(text.substr(b, e - b));
}

bool UniString::IsEqual(const UniString& other, CaseComparison comparison) const
{
    if (comparison == CaseSensitive)
        return text == other.text;
    return Compare(other, CaseInsensitive) == Equal;
}

UniString::CompareResult UniString::Compare(const UniString& other, CaseComparison comparison) const
{
    // Character by character as they are decoded, without a decoded copy of either text.
    std::size_t i = 0, j = 0;
    while (i < text.size() && j < other.text.size()) {
        char32_t x = Next(text, i), y = Next(other.text, j);
        if (comparison == CaseInsensitive) {
            x = Fold(x);
            y = Fold(y);
        }
        if (x != y)
            return x < y ? Less : Greater;
    }
    return i == text.size() && j == other.text.size() ? Equal : i == text.size() ? Less : Greater;
}

namespace {

void Encode(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

UniString& UniString::SetToLowerCase()
{
    std::string lower;
    for (char32_t c : Decode(text))
        Encode(sim::ToLower(c), lower);
    text = lower;
    return *this;
}

UniString UniString::ToLowerCase() const
{
    UniString copy = *this;
    return copy.SetToLowerCase();
}

bool UniString::BeginsWith(const UniString& prefix) const
{
    return text.compare(0, prefix.text.size(), prefix.text) == 0;
}

bool UniString::EndsWith(const UniString& suffix) const
{
    return text.size() >= suffix.text.size() &&
           text.compare(text.size() - suffix.text.size(), suffix.text.size(), suffix.text) == 0;
}

bool UniString::Contains(const UniString& part) const
{
    return text.find(part.text) != std::string::npos;
}

UIndex UniString::FindFirst(const UniString& part) const
{
    std::size_t pos = text.find(part.text);
    if (pos == std::string::npos)
        return MaxUIndex;
    return UniString(text.substr(0, pos)).GetLength();
}

UniString& UniString::Append(const UniString& other)
{
    text += other.text;
    return *this;
}

UniString UniString::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    UniString result = VPrintf(format, args);
    va_end(args);
    return result;
}

UniString UniString::VPrintf(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size <= 0)
        return UniString();
    std::string buffer(static_cast<std::size_t>(size) + 1, '\0');
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    buffer.resize(static_cast<std::size_t>(size));
    return UniString(buffer);
}

UniString operator+(const UniString& a, const UniString& b)
{
    return UniString(a).Append(b);
}
UniString operator+(const UniString& a, const char* b)
{
    return UniString(a).Append(UniString(b));
}
UniString operator+(const char* a, const UniString& b)
{
    return UniString(a).Append(b);
}
std::ostream& operator<<(std::ostream& out, const UniString& text)
{
    return out << text.ToUtf8();
}

std::string TruncateUtf8(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && IsContinuation(static_cast<unsigned char>(text[end])))
        --end;
    return text.substr(0, end);
}

} // namespace GS
