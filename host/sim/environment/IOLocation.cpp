// File-system locations, folders and the file system, over the real file system.
#include "IOLocation.hpp"

#include <filesystem>

#include "APIErrors.h"

namespace IO {

FileSystem fileSystem;

namespace {

std::filesystem::path PathOf(const Location& location)
{
    return std::filesystem::path(location.ToDisplayText().ToUtf8());
}

} // namespace

GSErrCode Location::ToPath(GS::UniString* result) const
{
    if (result == nullptr)
        return APIERR_BADPARS;
    *result = path;
    return NoError;
}

GSErrCode Location::AppendToLocal(const Name& name)
{
    const std::string text = name.ToString().ToUtf8();
    if (text.empty() || text == "." || text == ".." || text.find('/') != std::string::npos ||
        text.find('\0') != std::string::npos)
        return APIERR_BADNAME;
    if (!path.IsEmpty() && !path.EndsWith("/"))
        path += "/";
    path += name.ToString();
    return NoError;
}

GSErrCode Location::DeleteLastLocalName()
{
    std::string text = path.ToUtf8();
    auto slash = text.find_last_of('/');
    if (slash == std::string::npos)
        return APIERR_BADNAME;
    path = GS::UniString(text.substr(0, slash == 0 ? 1 : slash));
    return NoError;
}

GSErrCode Location::GetLastLocalName(Name* name) const
{
    if (name == nullptr)
        return APIERR_BADPARS;
    std::string text = path.ToUtf8();
    auto slash = text.find_last_of('/');
    *name = Name(GS::UniString(slash == std::string::npos ? text : text.substr(slash + 1)));
    return NoError;
}

GSErrCode FileSystem::CreateFolder(const Location& folder)
{
    std::error_code error;
    const auto path = PathOf(folder);
    if (std::filesystem::exists(path, error))
        return TargetExists;
    if (!std::filesystem::create_directory(path, error) || error)
        return error == std::errc::no_such_file_or_directory ? TargetNotFound : AccessDenied;
    return NoError;
}

GSErrCode FileSystem::Copy(const Location& source, const Location& target)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(PathOf(source), error))
        return TargetNotFound;
    if (std::filesystem::exists(PathOf(target), error))
        return TargetExists;
    if (!std::filesystem::copy_file(PathOf(source), PathOf(target), error) || error)
        return AccessDenied;
    return NoError;
}

GSErrCode FileSystem::Delete(const Location& location)
{
    std::error_code error;
    if (!std::filesystem::remove(PathOf(location), error))
        return error ? AccessDenied : TargetNotFound;
    return NoError;
}

bool FileSystem::Exists(const Location& location) const
{
    std::error_code error;
    return std::filesystem::exists(PathOf(location), error);
}

Folder::Folder(const Location& location, OpenMode mode) : location(location), status(NoError)
{
    std::error_code error;
    const auto path = PathOf(location);
    if (mode == Create && !std::filesystem::exists(path, error))
        std::filesystem::create_directories(path, error);
    if (!std::filesystem::is_directory(path, error))
        status = FileSystem::TargetNotFound;
}

bool Folder::IsWritable() const
{
    std::error_code error;
    auto permissions = std::filesystem::status(PathOf(location), error).permissions();
    return status == NoError && !error &&
           (permissions & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
}

} // namespace IO
