#pragma once
// JSON text written as it goes, in the very form `json::dump(1, ' ', false, replace)` gives
// (one blank per level, texts as UTF-8, malformed UTF-8 replaced), without building the value
// first. The take-off's reply runs to tens of megabytes on a large project: as a JSON value
// it cost more than reading the project. Members must be written in the order the JSON
// library keeps them (by key, bytewise), as its dump would print them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace KRV {

// The length of the well-formed UTF-8 sequence `at` starts (as the JSON parser accepts it: no
// overlong forms, no surrogates, nothing past U+10FFFF); 0 when it is not one.
std::size_t Utf8Sequence(const unsigned char* at, const unsigned char* end);

class JsonWriter {
public:
    // Appends to `out`; `depth` is the level the first value sits at (0: a whole text).
    explicit JsonWriter(std::string& out, int depth = 0) : out(out), depth(depth) {}
    // Written as `json::dump()` gives it, without blanks (a stored text).
    static JsonWriter Compact(std::string& out)
    {
        JsonWriter writer(out);
        writer.compact = true;
        return writer;
    }

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    void Key(std::string_view key);

    void String(std::string_view text);
    void Integer(std::int64_t number);
    void Number(double number);
    void Null();
    // A value written by another writer at the same depth.
    void Raw(std::string_view text);

    // Key and value in one.
    template <typename Value> void Member(std::string_view key, const Value& value)
    {
        Key(key);
        Write(value);
    }

private:
    void Write(std::string_view text) { String(text); }
    void Write(const std::string& text) { String(text); }
    void Write(const char* text) { String(text); }
    void Write(double number) { Number(number); }
    void Write(int number) { Integer(number); }
    void Write(long number) { Integer(number); }
    void Write(long long number) { Integer(number); }

    void Open(char bracket);
    void Close(char bracket);
    void BeforeValue();
    void NewLine(bool comma);
    void Escaped(std::string_view text);

    std::string& out;
    int depth;
    std::vector<char> filled; // per open container: holds a value already
    bool afterKey = false;
    bool compact = false;
};

} // namespace KRV
