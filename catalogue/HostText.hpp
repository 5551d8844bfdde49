#pragma once
// Texts in the host's fixed record fields: cut at a character boundary, read back to the zero.
#include "GS/UniString.hpp"

#include <cstring>
#include <string>

namespace KRV {

// Puts a text into a fixed record field, cut at a character boundary to leave room for the
// terminating zero.
template <std::size_t N> void CopyText(char (&target)[N], const std::string& text)
{
    std::memset(target, 0, N);
    const std::string cut = GS::TruncateUtf8(text, N - 1);
    std::memcpy(target, cut.data(), cut.size());
}

} // namespace KRV
