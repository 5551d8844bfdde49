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
}

constexpr GSErrCode NoError = 0;
constexpr UIndex MaxUIndex = 0xFFFFFFFFu;
