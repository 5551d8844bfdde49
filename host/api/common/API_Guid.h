#pragma once
// The host's GUID record and its conversions.
#include "GS/Guid.hpp"

#include <cstring>
#include <functional>

// Trivial, so records holding it can be zeroed as the host's are; API_Guid{} is null.
struct API_Guid {
    UInt32 time_low;
    UInt16 time_mid;
    UInt16 time_hi_and_version;
    UChar clock_seq_hi_and_reserved;
    UChar clock_seq_low;
    UChar node[6];
};

inline bool operator==(const API_Guid& a, const API_Guid& b)
{
    return std::memcmp(&a, &b, sizeof(API_Guid)) == 0;
}
inline bool operator!=(const API_Guid& a, const API_Guid& b)
{
    return !(a == b);
}
inline bool operator<(const API_Guid& a, const API_Guid& b)
{
    return std::memcmp(&a, &b, sizeof(API_Guid)) < 0;
}

static_assert(sizeof(API_Guid) == 16, "API_Guid is 16 bytes");

inline const API_Guid APINULLGuid{};

inline API_Guid GSGuid2APIGuid(const GS::Guid& guid)
{
    API_Guid result{};
    result.time_low = guid.data1;
    result.time_mid = guid.data2;
    result.time_hi_and_version = guid.data3;
    result.clock_seq_hi_and_reserved = guid.data4[0];
    result.clock_seq_low = guid.data4[1];
    std::memcpy(result.node, guid.data4 + 2, 6);
    return result;
}

inline GS::Guid APIGuid2GSGuid(const API_Guid& guid)
{
    GS::Guid result;
    result.data1 = guid.time_low;
    result.data2 = guid.time_mid;
    result.data3 = guid.time_hi_and_version;
    result.data4[0] = guid.clock_seq_hi_and_reserved;
    result.data4[1] = guid.clock_seq_low;
    std::memcpy(result.data4 + 2, guid.node, 6);
    return result;
}

inline GS::UniString APIGuidToString(const API_Guid& guid)
{
    return APIGuid2GSGuid(guid).ToUniString();
}
inline API_Guid APIGuidFromString(const char* text)
{
    return GSGuid2APIGuid(GS::Guid(text));
}

namespace std {
template <> struct hash<API_Guid> {
    size_t operator()(const API_Guid& g) const noexcept
    {
        UInt64 a, b;
        std::memcpy(&a, &g, 8);
        std::memcpy(&b, reinterpret_cast<const char*>(&g) + 8, 8);
        return std::hash<UInt64>()(a * 31 + b);
    }
};
} // namespace std
