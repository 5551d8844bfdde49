#pragma once
// File-system locations of the host library.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace IO {

class Name {
public:
    Name() = default;
    Name(const GS::UniString& text) : text(text) {}
    Name(const char* text) : text(text) {}
    GS::UniString ToString() const { return text; }
    bool IsEmpty() const { return text.IsEmpty(); }

private:
    GS::UniString text;
};

class Location {
public:
    Location() = default;
    explicit Location(const GS::UniString& path) : path(path) {}

    GSErrCode ToPath(GS::UniString* result) const;
    GS::UniString ToDisplayText() const { return path; }
    GSErrCode AppendToLocal(const Name& name);
    GSErrCode DeleteLastLocalName();
    GSErrCode GetLastLocalName(Name* name) const;
    bool IsEmpty() const { return path.IsEmpty(); }
    bool operator==(const Location& other) const { return path == other.path; }

private:
    GS::UniString path;
};

} // namespace IO
