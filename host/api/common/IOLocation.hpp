#pragma once
// File-system locations, folders and the file system of the host library.
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
    // Appends one name; a name holding a separator, or "." or "..", is refused.
    GSErrCode AppendToLocal(const Name& name);
    GSErrCode DeleteLastLocalName();
    GSErrCode GetLastLocalName(Name* name) const;
    bool IsEmpty() const { return path.IsEmpty(); }
    bool operator==(const Location& other) const { return path == other.path; }
    bool operator!=(const Location& other) const { return path != other.path; }

private:
    GS::UniString path;
};

class FileSystem {
public:
    static constexpr GSErrCode TargetExists = static_cast<GSErrCode>(0x81010304);
    static constexpr GSErrCode TargetNotFound = static_cast<GSErrCode>(0x81010305);
    static constexpr GSErrCode AccessDenied = static_cast<GSErrCode>(0x81010306);

    // TargetExists when there is already a folder or file there.
    GSErrCode CreateFolder(const Location& folder);
    // TargetExists when the target is there already.
    GSErrCode Copy(const Location& source, const Location& target);
    GSErrCode Delete(const Location& location);
    bool Exists(const Location& location) const;
};

extern FileSystem fileSystem;

class Folder {
public:
    enum OpenMode { Ignore, Create };
    explicit Folder(const Location& location, OpenMode mode = Ignore);
    GSErrCode GetStatus() const { return status; }
    bool IsWritable() const;

private:
    Location location;
    GSErrCode status;
};

} // namespace IO
