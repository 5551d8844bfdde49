#pragma once
// GS::Guid, the host library's GUID.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

#include <array>

namespace GS {

// A 128-bit identifier with the conventional field layout; its text form is
// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" in upper-case hexadecimal.
class Guid {
public:
    UInt32 data1 = 0;
    UInt16 data2 = 0;
    UInt16 data3 = 0;
    UChar data4[8] = {0, 0, 0, 0, 0, 0, 0, 0};

    Guid() = default;
    explicit Guid(const char* text); // braces optional; an invalid text gives the null guid

    static Guid Generate();
    bool IsNull() const;
    // False (and the guid unchanged) when the text is not a guid.
    bool ConvertFromString(const char* text);
    UniString ToUniString() const;
    std::string ToString() const { return ToUniString().ToUtf8(); }

    bool operator==(const Guid& other) const;
    bool operator!=(const Guid& other) const { return !(*this == other); }
    bool operator<(const Guid& other) const;
};

} // namespace GS
