#pragma once
// The host's fixed record fields: texts in char (UTF-8) and uchar_t (UTF-16) buffers, and the
// bytes of a change or quantity mask.
#include <cstring>
#include <string>

#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace sim {

// Whether any byte of a field is set in a mask.
template <typename T> bool Marked(const T& field)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&field);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        if (bytes[i] != 0)
            return true;
    return false;
}

// A text into a buffer, cut at a character boundary to leave room for the terminating zero.
template <std::size_t N> void CopyText(char (&target)[N], const std::string& text)
{
    std::memset(target, 0, N);
    const std::string cut = GS::TruncateUtf8(text, N - 1);
    std::memcpy(target, cut.data(), cut.size());
}

template <std::size_t N> std::string TextOf(const char (&source)[N])
{
    return std::string(source, strnlen(source, N));
}

template <std::size_t N> void CopyText(GS::uchar_t (&target)[N], const std::string& text)
{
    std::memset(target, 0, sizeof target);
    const GS::UniString::UStr wide = GS::UniString(text).ToUStr();
    const GS::uchar_t* source = wide.Get();
    for (std::size_t i = 0; i + 1 < N && source[i] != 0; ++i)
        target[i] = source[i];
    // Never half a surrogate pair at the end.
    if (N >= 2 && target[N - 2] >= 0xD800 && target[N - 2] < 0xDC00)
        target[N - 2] = 0;
}

template <std::size_t N> std::string TextOf(const GS::uchar_t (&source)[N])
{
    GS::uchar_t copy[N + 1] = {};
    for (std::size_t i = 0; i < N && source[i] != 0; ++i)
        copy[i] = source[i];
    return GS::UniString(copy).ToUtf8();
}

} // namespace sim
