#pragma once
// The host library's Unicode string. Here it holds UTF-8, which is also the host's
// default character code, so narrow texts pass through unchanged.
#include "GS/Types.hpp"

#include <cstdarg>
#include <iosfwd>
#include <string>

namespace GS {

enum CHEncoding { CC_Default = 0, CC_UTF8 = 1, CC_System = 2 };
enum CaseComparison { CaseSensitive, CaseInsensitive };

class UniString {
public:
    // A narrow copy of the text; valid while the object lives.
    class CStr {
    public:
        explicit CStr(std::string text) : text(std::move(text)) {}
        const char* Get() const { return text.c_str(); }
        operator const char*() const { return text.c_str(); }

    private:
        std::string text;
    };

    UniString() = default;
    UniString(const char* text, CHEncoding encoding = CC_Default);
    UniString(const std::string& text, CHEncoding encoding = CC_Default);
    // From a zero-terminated UTF-16 text.
    UniString(const uchar_t* text);

    CStr ToCStr(CHEncoding encoding = CC_Default) const
    {
        (void)encoding;
        return CStr(text);
    }
    const std::string& ToUtf8() const { return text; }

    // A zero-terminated UTF-16 copy of the text; valid while the object lives.
    class UStr {
    public:
        explicit UStr(std::u16string text) : text(std::move(text)) {}
        const uchar_t* Get() const { return text.c_str(); }

    private:
        std::u16string text;
    };
    UStr ToUStr() const;

    bool IsEmpty() const { return text.empty(); }
    // Length in characters (code points), not bytes.
    USize GetLength() const;
    USize GetByteLength() const { return static_cast<USize>(text.size()); }
    void Clear() { text.clear(); }

    UniString GetSubstring(UIndex from, USize length) const;
    UniString GetPrefix(USize length) const { return GetSubstring(0, length); }
    UniString GetSuffix(USize length) const;
    void DeleteLast(USize count = 1);
    void Trim();
    UniString Trimmed() const;

    bool IsEqual(const UniString& other, CaseComparison comparison = CaseSensitive) const;
    enum CompareResult { Less = -1, Equal = 0, Greater = 1 };
    // Case-sensitive: by code point. Case-insensitive: by code point after simple case folding.
    CompareResult Compare(const UniString& other, CaseComparison comparison = CaseSensitive) const;
    // Lower-cases the text in place (Unicode, character by character).
    UniString& SetToLowerCase();
    UniString ToLowerCase() const;
    bool BeginsWith(const UniString& prefix) const;
    bool EndsWith(const UniString& suffix) const;
    bool Contains(const UniString& part) const;
    UIndex FindFirst(const UniString& part) const; // character index, MaxUIndex when absent

    UniString& Append(const UniString& other);
    UniString& operator+=(const UniString& other) { return Append(other); }
    UniString& operator+=(const char* other) { return Append(UniString(other)); }

    bool operator==(const UniString& other) const { return text == other.text; }
    bool operator!=(const UniString& other) const { return text != other.text; }
    bool operator<(const UniString& other) const { return text < other.text; }
    bool operator==(const char* other) const { return text == other; }
    bool operator!=(const char* other) const { return text != other; }

    static UniString Printf(const char* format, ...);
    static UniString VPrintf(const char* format, va_list args);

private:
    std::string text;
};

UniString operator+(const UniString& a, const UniString& b);
UniString operator+(const UniString& a, const char* b);
UniString operator+(const char* a, const UniString& b);
std::ostream& operator<<(std::ostream& out, const UniString& text);

inline const UniString EmptyUniString;

// Copies a zero-terminated UTF-16 text, terminator included; answers the target.
uchar_t* ucscpy(uchar_t* target, const uchar_t* source);

// Cuts a UTF-8 text to at most maxBytes bytes without splitting a character.
std::string TruncateUtf8(const std::string& text, std::size_t maxBytes);

} // namespace GS

namespace std {
template <> struct hash<GS::UniString> {
    size_t operator()(const GS::UniString& s) const noexcept { return hash<string>()(s.ToUtf8()); }
};
} // namespace std
