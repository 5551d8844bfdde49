#pragma once
// The host library's integer types and error code type.
#include <cstdint>

using Int8 = std::int8_t;
using UInt8 = std::uint8_t;
using Int16 = std::int16_t;
using UInt16 = std::uint16_t;
using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using UChar = unsigned char;
using UShort = unsigned short;
using ULong = unsigned long;
using GSFlags = Int32;
using GSSize = Int64;
using GSPtr = char*;
using GSHandle = char**;
using USize = UInt32;
using UIndex = UInt32;
using GSErr = Int32;
using GSType = UInt32;
using GSResModule = Int32;
using GSErrCode = Int32;
namespace GS {
using IntPtr = std::intptr_t;
using Int32 = ::Int32;
// A UTF-16 code unit: the character of the host's wide texts (library part and database names).
using uchar_t = char16_t;
} // namespace GS

constexpr GSErrCode NoError = 0;
constexpr UIndex MaxUIndex = 0xFFFFFFFFu;
