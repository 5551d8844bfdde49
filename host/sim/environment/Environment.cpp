// Environment services: special folders (real folders in the work folder) and the
// project's library list.
#include <filesystem>

#include <cstring>

#include "APIdefs_Environment.h"
#include "APIdefs_IFC.h"
#include "Calls.hpp"
#include "Host.hpp"

using sim::Host;

namespace {

// A library location as the add-on sees it: relative ones lie in the work folder.
IO::Location Absolute(const std::string& location)
{
    std::filesystem::path path(location);
    if (path.is_relative())
        path = Host::Get().GetWorkFolder() / path;
    return IO::Location(GS::UniString(path.string()));
}

} // namespace

namespace sim::calls {

GSErrCode SpecialFolder(std::optional<Folder> which, IO::Location* location)
{
    if (!which || location == nullptr)
        return APIERR_BADPARS;
    const char* name = *which == Folder::applicationData ? "Application Data" : "Temporary";
    std::filesystem::path folder = Host::Get().GetWorkFolder() / name;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return APIERR_GENERAL;
    *location = IO::Location(GS::UniString(folder.string()));
    return NoError;
}

GSErrCode GetLibraries(GS::Array<API_LibraryInfo>* list, Int32* embeddedIndex)
{
    if (list == nullptr)
        return APIERR_BADPARS;
    const sim::LibPartStore& store = Host::Get().GetProject().libParts;
    list->Clear();
    if (store.embeddedIndex >= 0) {
        // The embedded library is a folder of the project: it is always there.
        std::error_code ignored;
        std::filesystem::create_directories(
            Absolute(store.libraries[store.embeddedIndex].location).ToDisplayText().ToUtf8(), ignored);
    }
    for (const sim::Library& library : store.libraries) {
        API_LibraryInfo info;
        info.location = Absolute(library.location);
        info.name = GS::UniString(library.name);
        info.readOnly = library.readOnly;
        list->Push(info);
    }
    if (embeddedIndex != nullptr)
        *embeddedIndex = store.embeddedIndex;
    return NoError;
}

GSErrCode SetLibraries(const GS::Array<API_LibraryInfo>* list)
{
    if (list == nullptr)
        return APIERR_BADPARS;
    sim::LibPartStore& store = Host::Get().GetProject().libParts;
    std::string embedded = store.embeddedIndex >= 0
                               ? Absolute(store.libraries[store.embeddedIndex].location).ToDisplayText().ToUtf8()
                               : "";
    std::vector<sim::Library> libraries;
    Int32 embeddedIndex = -1;
    for (const API_LibraryInfo& info : *list) {
        const std::string location = info.location.ToDisplayText().ToUtf8();
        if (location.empty())
            return APIERR_BADPARS;
        if (!embedded.empty() && location == embedded)
            embeddedIndex = static_cast<Int32>(libraries.size());
        libraries.push_back({location, info.name.ToUtf8(), info.readOnly});
    }
    store.libraries = libraries;
    store.embeddedIndex = embeddedIndex;
    return NoError;
}

GSErrCode ProjectNotes(API_ProjectNoteInfo* notes)
{
    if (notes == nullptr)
        return APIERR_BADPARS;
    std::memset(notes, 0, sizeof(API_ProjectNoteInfo));
    const sim::ProjectInfo& info = Host::Get().GetProject().info;
    const std::string name = info.untitled ? std::string() : GS::TruncateUtf8(info.name.ToUtf8(), 255);
    std::memcpy(notes->projectName, name.data(), name.size());
    return NoError;
}

} // namespace sim::calls
