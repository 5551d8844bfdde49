// Library parts and library containers: download, the library part folder, registration
// and the stored catalogue data.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "ACLink.hpp"
#include "APIdefs_Environment.h"
#include "DBPrintf.h"
#include "Address.hpp"
#include "Download.hpp"
#include "ElementEvents.hpp"
#include "ErrorMessages.hpp"
#include "HostText.hpp"
#include "KorvelLibraryPart.hpp"
#include "Logger.hpp"
#include "UserData.hpp"

namespace KRV {

namespace {

// The host's code for "that folder is there already".
constexpr GSErrCode folderExists = IO::FileSystem::TargetExists;

GS::UniString LocationText(const IO::Location& location)
{
    GS::UniString path;
    location.ToPath(&path);
    return path;
}

std::filesystem::path DownloadPath(ACLink& link, const GS::UniString& name)
{
    return std::filesystem::path(link.GetFolder().ToUtf8()) / name.ToUtf8();
}

// The name without its last four characters (the file's extension and its dot).
GS::UniString WithoutExtension(const GS::UniString& name)
{
    GS::UniString stem = name;
    if (stem.GetLength() > 4)
        stem.DeleteLast(4);
    return stem;
}

// Copies a file into a folder, replacing one of the same name; a host error code.
GSErrCode CopyReplacing(const IO::Location& source, const IO::Location& target)
{
    if (IO::fileSystem.Exists(target)) {
        if (GSErrCode err = IO::fileSystem.Delete(target); err != NoError)
            return err;
    }
    return IO::fileSystem.Copy(source, target);
}

} // namespace

bool IsSafeFileName(const GS::UniString& name, std::string* reason)
{
    auto fail = [&](const char* why) {
        if (reason != nullptr)
            *reason = why;
        return false;
    };
    const std::string text = name.ToUtf8();
    if (text.empty())
        return fail("the name is empty");
    if (text[0] == '.')
        return fail("the name begins with a dot");
    for (unsigned char c : text) {
        if (c == '/' || c == '\\')
            return fail("the name holds a path separator");
        if (c < 0x20 || c == 0x7F)
            return fail("the name holds a control character");
    }
    return true;
}

GS::UniString ACLink::GetFolder()
{
    API_SpecFolderID id = API_TemporaryFolderID;
    IO::Location folder;
    if (ACAPI_Environment(APIEnv_GetSpecFolderID, &id, &folder) == NoError)
        return folder.ToDisplayText();
    const char* temp = std::getenv("TEMP");
    return GS::UniString(temp != nullptr && *temp != '\0' ? temp : "/tmp");
}

bool ACLink::DownloadFile(const GS::UniString& address, const GS::UniString& name)
{
    std::string reason;
    if (!IsSafeFileName(name, &reason)) {
        LogError("The catalogue file name \"" + name.ToUtf8() + "\" is refused: " + reason + ".");
        return false;
    }
    const std::filesystem::path path = DownloadPath(*this, name);
    if (!net::Download(address.ToUtf8(), path, nullptr))
        return false;
    // A 2xx answer without a body is no catalogue file: nothing is kept or registered.
    std::error_code error;
    if (std::filesystem::file_size(path, error) == 0 || error) {
        std::filesystem::remove(path, error);
        LogError("The catalogue file " + name.ToUtf8() + " downloaded from " + net::Printable(address.ToUtf8()) +
                 " is empty; nothing was kept.");
        return false;
    }
    return true;
}

int ACLink::GetLocation(IO::Location*& out)
{
    out = nullptr;
    GS::Array<API_LibraryInfo> libraries;
    Int32 embedded = -1;
    if (ACAPI_Environment(APIEnv_GetLibrariesID, &libraries, &embedded) == NoError && embedded >= 0 &&
        static_cast<UIndex>(embedded) < libraries.GetSize()) {
        auto folder = std::make_unique<IO::Location>(libraries[static_cast<UIndex>(embedded)].location);
        IO::Location korvel = *folder;
        if (korvel.AppendToLocal(IO::Name("Korvel")) == NoError) {
            GSErrCode created = IO::fileSystem.CreateFolder(korvel);
            if (created == NoError || created == folderExists)
                *folder = korvel;
        }
        out = folder.release();
        return NoError;
    }
    libraries.Clear();
    if (ACAPI_Environment(APIEnv_GetLibrariesID, &libraries) != NoError)
        return NoError;
    API_SpecFolderID id = API_AppDataFolderID;
    IO::Location korvel;
    if (ACAPI_Environment(APIEnv_GetSpecFolderID, &id, &korvel) != NoError ||
        korvel.AppendToLocal(IO::Name("Korvel")) != NoError)
        return APIERR_GENERAL;
    IO::Folder folder(korvel, IO::Folder::Create);
    if (folder.GetStatus() != NoError || !folder.IsWritable())
        return APIERR_GENERAL;
    bool listed = false;
    for (const API_LibraryInfo& library : libraries)
        listed = listed || library.location == korvel;
    if (!listed) {
        API_LibraryInfo library;
        library.location = korvel;
        libraries.Push(library);
        ACAPI_Environment(APIEnv_SetLibrariesID, &libraries);
    }
    out = new IO::Location(korvel);
    return NoError;
}

int ACLink::RegisterLibPart(LibraryPart& item)
{
    const GS::UniString name = item.GetName();
    const IO::Location source(GS::UniString(DownloadPath(*this, name).string()));

    API_LibPart record{};
    record.typeID = APILib_ObjectID;
    CopyText(record.docu_UName, name.ToUtf8());
    CopyText(record.file_UName, name.ToUtf8());
    record.isTemplate = false;
    record.isPlaceable = true;

    IO::Location* folder = nullptr;
    if (GSErrCode err = GetLocation(folder); err != NoError) {
        delete folder;
        return err;
    }
    if (folder == nullptr)
        return APIERR_GENERAL;
    std::unique_ptr<IO::Location> target(folder);
    if (GSErrCode err = target->AppendToLocal(IO::Name(name)); err != NoError)
        return err;
    if (GSErrCode err = CopyReplacing(source, *target); err != NoError) {
        LogError("The library part " + name.ToUtf8() + " could not be copied into " + LocationText(*target).ToUtf8() +
                 ".");
        return err;
    }
    // The library keeps its own copy; the download is not needed any more.
    IO::fileSystem.Delete(source);
    record.location = target.get();
    GSErrCode err = ACAPI_LibPart_Register(&record);
    record.location = nullptr;
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "ACLink::RegisterLibPart - ACAPI_LibPart_Register");
        return err;
    }
    item.SetLibPart(record);
    const auto* catalogue = dynamic_cast<const KorvelLibraryPart*>(&item);
    if (catalogue == nullptr)
        return NoError;
    return CreateModulData(WithoutExtension(name), StoredText(catalogue->GetProperties()));
}

bool ACLink::CreateLibraryPart(LibraryPart& item)
{
    if (!DownloadFile(item.GetPath(), item.GetName()))
        return false;
    if (RegisterLibPart(item) != NoError)
        return false;
    DeleteLibPartProperties(item);
    AddArchicadClassificationToLibraryPart(item);
    AttachKVProperties(GS::UniString(item.GetLibPart().docu_UName));
    return true;
}

bool ACLink::CreateLibrary(Library& item)
{
    const GS::UniString name = item.GetName();
    if (!DownloadFile(item.GetPath(), name))
        return false;
    // The temporary folder may be purged: the container lives in the library part folder.
    IO::Location* folder = nullptr;
    GSErrCode err = GetLocation(folder);
    std::unique_ptr<IO::Location> target(folder);
    const IO::Location source(GS::UniString(DownloadPath(*this, name).string()));
    if (err == NoError && target == nullptr)
        err = APIERR_GENERAL;
    if (err == NoError)
        err = target->AppendToLocal(IO::Name(name));
    if (err == NoError)
        err = CopyReplacing(source, *target);
    IO::fileSystem.Delete(source);
    if (err != NoError) {
        LogError("The library " + name.ToUtf8() + " could not be kept in the project's library folder.");
        return false;
    }
    GS::Array<API_LibraryInfo> libraries;
    if (GSErrCode listed = ACAPI_Environment(APIEnv_GetLibrariesID, &libraries); listed != NoError) {
        LogArchicadErrorCodeMessage(listed, "ACLink::CreateLibrary - ACAPI_Environment GetLibraries");
        return false;
    }
    for (const API_LibraryInfo& library : libraries)
        if (library.location == *target)
            return true; // already loaded: the copy above brought it up to date
    API_LibraryInfo library;
    library.location = *target;
    libraries.Push(library);
    if (GSErrCode set = ACAPI_Environment(APIEnv_SetLibrariesID, &libraries); set != NoError) {
        LogArchicadErrorCodeMessage(set, "ACLink::CreateLibrary - ACAPI_Environment SetLibraries");
        return false;
    }
    return true;
}

} // namespace KRV
