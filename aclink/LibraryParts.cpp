// Library parts and library containers: download, the library part folder, registration
// and the stored catalogue data.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "ACLink.hpp"
#include "Address.hpp"
#include "CatchAll.hpp"
#include "DBPrintf.h"
#include "Download.hpp"
#include "ElementEvents.hpp"
#include "Environment.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "KorvelLibraryPart.hpp"
#include "LibraryParts.hpp"
#include "Logger.hpp"
#include "Names.hpp"
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

// The name without its last four characters (the file's extension and its dot).
GS::UniString WithoutExtension(const GS::UniString& name)
{
    GS::UniString stem = name;
    if (stem.GetLength() > 4)
        stem.DeleteLast(4);
    return stem;
}

// A downloaded file, removed on every path out.
class Download {
public:
    explicit Download(std::filesystem::path path) : path(std::move(path)) {}
    ~Download()
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    Download(const Download&) = delete;
    Download& operator=(const Download&) = delete;
    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path path;
};

} // namespace

// Puts a copy of `source` in place of `target` so that it can be taken back: the copy is
// made under a temporary name beside the target, the file it replaces steps aside, and only
// Keep() lets that one go. Otherwise the new file is removed and the old one put back, so a
// library part the host refuses never costs the one that worked.
class FileSwap {
public:
    FileSwap(const std::filesystem::path& source, const std::filesystem::path& target)
        : target(target), fresh(Beside(target, ".new")), aside(Beside(target, ".old"))
    {
        std::error_code error;
        std::filesystem::remove(fresh, error);
        if (!std::filesystem::copy_file(source, fresh, error) || error) {
            Fail("could not be copied beside " + target.string(), error);
            return;
        }
        hadOld = std::filesystem::exists(target, error);
        if (hadOld && (std::filesystem::rename(target, aside, error), error)) {
            Fail("could not be moved aside", error);
            return;
        }
        if (std::filesystem::rename(fresh, target, error), error) {
            Fail("could not take the place of the old one", error);
            return;
        }
        placed = true;
    }
    ~FileSwap()
    {
        std::error_code ignored;
        if (kept) {
            std::filesystem::remove(aside, ignored);
            return;
        }
        std::filesystem::remove(fresh, ignored);
        if (placed)
            std::filesystem::remove(target, ignored);
        if (hadOld)
            std::filesystem::rename(aside, target, ignored);
    }
    FileSwap(const FileSwap&) = delete;
    FileSwap& operator=(const FileSwap&) = delete;
    bool Placed() const { return placed; }
    // Whether a file was there before, now aside.
    bool Replaced() const { return hadOld; }
    const std::filesystem::path& Target() const { return target; }
    void Keep() { kept = true; }

private:
    static std::filesystem::path Beside(const std::filesystem::path& target, const char* suffix)
    {
        return target.parent_path() / ("." + target.filename().string() + suffix);
    }
    void Fail(const std::string& what, const std::error_code& error)
    {
        LogError("The file " + target.filename().string() + " " + what + ": " + error.message() + ".");
    }

    std::filesystem::path target, fresh, aside;
    bool hadOld = false;
    bool placed = false;
    bool kept = false;
};

GS::UniString ACLink::GetFolder()
{
    IO::Location folder;
    if (port::SpecialFolder(port::Folder::temporary, folder) == NoError)
        return folder.ToDisplayText();
    const char* temp = std::getenv("TEMP");
    return GS::UniString(temp != nullptr && *temp != '\0' ? temp : "/tmp");
}

bool ACLink::DownloadFile(const GS::UniString& address, const GS::UniString& name, std::filesystem::path& path)
{
    std::string reason;
    if (!net::IsSafeFileName(name.ToUtf8(), &reason)) {
        LogError("The catalogue file name \"" + name.ToUtf8() + "\" is refused: " + reason + ".");
        return false;
    }
    // The folder is asked for once: the file is looked for where it was put.
    path = std::filesystem::path(GetFolder().ToUtf8()) / name.ToUtf8();
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
    port::LibraryList libraries;
    Int32 embedded = -1;
    // Not knowing the libraries, the project's own could be taken for missing.
    if (GSErrCode err = port::ReadLibraries(libraries, &embedded); err != NoError) {
        LogArchicadErrorCodeMessage(err, "ACLink::GetLocation - ", port::getLibrariesCall);
        return err;
    }
    if (embedded >= 0 && static_cast<std::size_t>(embedded) < libraries.Count()) {
        auto folder = std::make_unique<IO::Location>(libraries.Location(static_cast<std::size_t>(embedded)));
        IO::Location korvel = *folder;
        if (korvel.AppendToLocal(IO::Name("Korvel")) == NoError) {
            GSErrCode created = IO::fileSystem.CreateFolder(korvel);
            if (created == NoError || created == folderExists)
                *folder = korvel;
        }
        out = folder.release();
        return NoError;
    }
    IO::Location korvel;
    if (GSErrCode err = port::SpecialFolder(port::Folder::applicationData, korvel); err != NoError) {
        LogArchicadErrorCodeMessage(err, "ACLink::GetLocation - ", port::specialFolderCall);
        return err;
    }
    if (korvel.AppendToLocal(IO::Name("Korvel")) != NoError)
        return hosterr::general;
    IO::Folder folder(korvel, IO::Folder::Create);
    if (folder.GetStatus() != NoError || !folder.IsWritable())
        return hosterr::general;
    if (!libraries.Lists(korvel)) {
        libraries.Add(korvel);
        if (GSErrCode err = port::WriteLibraries(libraries); err != NoError) {
            LogArchicadErrorCodeMessage(err, "ACLink::GetLocation - ", port::setLibrariesCall);
            return err;
        }
    }
    out = new IO::Location(korvel);
    return NoError;
}

int ACLink::RegisterLibPart(LibraryPart& item, const std::filesystem::path& download)
{
    std::unique_ptr<FileSwap> swap;
    const int err = RegisterLibPart(item, download, swap);
    if (swap != nullptr)
        swap->Keep();
    return err;
}

namespace {

// Registers the part's file again: after a failed import the part is the file it was.
void RegisterAgain(const std::filesystem::path& file, const GS::UniString& name)
{
    const IO::Location location{GS::UniString(file.string())};
    port::LibraryPartRecord record;
    GSErrCode err = port::RegisterObject(name, location, false, record);
    if (err != NoError)
        LogArchicadErrorCodeMessage(err, "ACLink::CreateLibraryPart - ",
                                    (std::string(port::registerLibraryPartCall) + " of the part as it was").c_str());
}

} // namespace

int ACLink::RegisterLibPart(LibraryPart& item, const std::filesystem::path& download, std::unique_ptr<FileSwap>& swap)
{
    const GS::UniString name = item.GetName();

    IO::Location* folder = nullptr;
    if (GSErrCode err = GetLocation(folder); err != NoError) {
        delete folder;
        LogError("The library part folder for " + name.ToUtf8() + " could not be made.");
        return err;
    }
    if (folder == nullptr) {
        LogError("The project has no library for the library part " + name.ToUtf8() + ".");
        return hosterr::general;
    }
    std::unique_ptr<IO::Location> target(folder);
    if (GSErrCode err = target->AppendToLocal(IO::Name(name)); err != NoError) {
        LogError("The library part " + name.ToUtf8() + " has no place in " + LocationText(*target).ToUtf8() + ".");
        return err;
    }
    auto placed = std::make_unique<FileSwap>(download, LocationText(*target).ToUtf8());
    if (!placed->Placed())
        return hosterr::general; // logged
    port::LibraryPartRecord record;
    GSErrCode err = port::RegisterObject(name, *target, true, record);
    if (err != NoError) {
        LogArchicadErrorCodeMessage(err, "ACLink::RegisterLibPart - ", port::registerLibraryPartCall);
        return err; // the file it would have replaced is back
    }
    swap = std::move(placed);
    item.SetLibPart(record);
    return NoError;
}

bool ACLink::CreateLibraryPart(LibraryPart& item)
{
    std::filesystem::path path;
    if (!DownloadFile(item.GetPath(), item.GetName(), path))
        return false;
    Download download(path);
    std::unique_ptr<FileSwap> swap;
    if (RegisterLibPart(item, path, swap) != NoError)
        return false;
    // The catalogue parameters, then the stored record that describes them. When either
    // fails, a part that was there before is put back as it was (its file, registered again);
    // a new one stays without catalogue data, which a new import gives it.
    const auto* catalogue = dynamic_cast<const KorvelLibraryPart*>(&item);
    auto putBack = [&] {
        if (!swap->Replaced()) {
            swap->Keep();
            return;
        }
        const std::filesystem::path file = swap->Target();
        swap.reset();
        NothingEscapes("ACLink::CreateLibraryPart", [&] { RegisterAgain(file, item.GetName()); });
    };
    bool written = false;
    try {
        written = ReplaceCatalogueParameters(item) == NoError &&
                  (catalogue == nullptr || CreateModulData(WithoutExtension(item.GetName()),
                                                           StoredText(catalogue->GetProperties())) == NoError);
    } catch (...) {
        putBack();
        throw;
    }
    if (!written) {
        putBack();
        return false; // logged
    }
    swap->Keep();
    return AttachKVProperties(item.GetLibPart().Name()) == NoError;
}

bool ACLink::CreateLibrary(Library& item)
{
    const GS::UniString name = item.GetName();
    std::filesystem::path path;
    if (!DownloadFile(item.GetPath(), name, path))
        return false;
    Download download(path);
    // The temporary folder may be purged: the container lives in the library part folder.
    IO::Location* folder = nullptr;
    GSErrCode err = GetLocation(folder);
    std::unique_ptr<IO::Location> target(folder);
    if (err == NoError && target == nullptr)
        err = hosterr::general;
    if (err == NoError)
        err = target->AppendToLocal(IO::Name(name));
    if (err != NoError) {
        LogError("The library " + name.ToUtf8() + " could not be kept in the project's library folder.");
        return false;
    }
    port::LibraryList libraries;
    if (GSErrCode listed = port::ReadLibraries(libraries); listed != NoError) {
        LogArchicadErrorCodeMessage(listed, "ACLink::CreateLibrary - ", port::getLibrariesCall);
        return false;
    }
    FileSwap swap(path, LocationText(*target).ToUtf8());
    if (!swap.Placed()) {
        LogError("The library " + name.ToUtf8() + " could not be kept in the project's library folder.");
        return false;
    }
    if (!libraries.Lists(*target)) {
        libraries.Add(*target);
        if (GSErrCode set = port::WriteLibraries(libraries); set != NoError) {
            LogArchicadErrorCodeMessage(set, "ACLink::CreateLibrary - ", port::setLibrariesCall);
            return false; // the container it would have replaced is back
        }
    }
    swap.Keep(); // already listed: the new file brings it up to date
    return true;
}

} // namespace KRV
