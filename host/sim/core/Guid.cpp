// GUIDs: generated (seeded for repeatable sessions), printed and parsed.
#include "GS/Guid.hpp"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <random>
#include <tuple>

#include "GuidSeed.hpp"

namespace sim {

std::mt19937_64& GuidEngine()
{
    static std::mt19937_64 engine{std::random_device{}()};
    return engine;
}

void SeedGuids(std::uint64_t seed)
{
    GuidEngine().seed(seed);
}

} // namespace sim

namespace GS {

Guid::Guid(const char* text)
{
    ConvertFromString(text);
}

Guid Guid::Generate()
{
    std::mt19937_64& engine = sim::GuidEngine();
    Guid g;
    UInt64 a = engine(), b = engine();
    g.data1 = static_cast<UInt32>(a);
    g.data2 = static_cast<UInt16>(a >> 32);
    g.data3 = static_cast<UInt16>(a >> 48);
    std::memcpy(g.data4, &b, 8);
    g.data3 = static_cast<UInt16>((g.data3 & 0x0FFF) | 0x4000); // version 4
    g.data4[0] = static_cast<UChar>((g.data4[0] & 0x3F) | 0x80);
    return g;
}

bool Guid::IsNull() const
{
    return *this == Guid();
}

bool Guid::ConvertFromString(const char* text)
{
    if (text == nullptr)
        return false;
    std::string s(text);
    if (s.size() == 38 && s.front() == '{' && s.back() == '}')
        s = s.substr(1, 36);
    if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-')
        return false;
    std::string hex;
    for (char c : s)
        if (c != '-') {
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return false;
            hex += c;
        }
    if (hex.size() != 32)
        return false;
    auto byte = [&](int i) { return static_cast<UChar>(std::stoul(hex.substr(i * 2, 2), nullptr, 16)); };
    data1 = static_cast<UInt32>(std::stoul(hex.substr(0, 8), nullptr, 16));
    data2 = static_cast<UInt16>(std::stoul(hex.substr(8, 4), nullptr, 16));
    data3 = static_cast<UInt16>(std::stoul(hex.substr(12, 4), nullptr, 16));
    for (int i = 0; i < 8; ++i)
        data4[i] = byte(8 + i);
    return true;
}

UniString Guid::ToUniString() const
{
    // "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", written by hand: it is asked for
    // once per element in every report.
    static const char digits[] = "0123456789ABCDEF";
    char buffer[36];
    char* out = buffer;
    auto hex = [&out](UInt64 value, int count) {
        for (int shift = (count - 1) * 4; shift >= 0; shift -= 4)
            *out++ = digits[(value >> shift) & 0xF];
    };
    hex(data1, 8);
    *out++ = '-';
    hex(data2, 4);
    *out++ = '-';
    hex(data3, 4);
    *out++ = '-';
    hex(data4[0], 2);
    hex(data4[1], 2);
    *out++ = '-';
    for (int i = 2; i < 8; ++i)
        hex(data4[i], 2);
    return UniString(std::string(buffer, sizeof buffer));
}

bool Guid::operator==(const Guid& other) const
{
    return data1 == other.data1 && data2 == other.data2 && data3 == other.data3 &&
           std::memcmp(data4, other.data4, 8) == 0;
}

bool Guid::operator<(const Guid& other) const
{
    return std::tie(data1, data2, data3) < std::tie(other.data1, other.data2, other.data3) ||
           (std::tie(data1, data2, data3) == std::tie(other.data1, other.data2, other.data3) &&
            std::memcmp(data4, other.data4, 8) < 0);
}

} // namespace GS
