// Environment services: special folders (real folders in the work folder) and the
// project's library list.
#include <filesystem>

#include <cstring>

#include "APIdefs_Environment.h"
#include "APIdefs_IFC.h"
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

GSErrCode SpecialFolder(void* par1, void* par2)
{
    if (par1 == nullptr || par2 == nullptr)
        return APIERR_BADPARS;
    const char* name = nullptr;
    switch (*static_cast<const API_SpecFolderID*>(par1)) {
    case API_AppDataFolderID:
        name = "Application Data";
        break;
    case API_TemporaryFolderID:
        name = "Temporary";
        break;
    default:
        return APIERR_BADPARS;
    }
    std::filesystem::path folder = Host::Get().GetWorkFolder() / name;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return APIERR_GENERAL;
    *static_cast<IO::Location*>(par2) = IO::Location(GS::UniString(folder.string()));
    return NoError;
}

GSErrCode GetLibraries(void* par1, void* par2)
{
    if (par1 == nullptr)
        return APIERR_BADPARS;
    const sim::LibPartStore& store = Host::Get().GetProject().libParts;
    auto* list = static_cast<GS::Array<API_LibraryInfo>*>(par1);
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
    if (par2 != nullptr)
        *static_cast<Int32*>(par2) = store.embeddedIndex;
    return NoError;
}

GSErrCode SetLibraries(void* par1)
{
    if (par1 == nullptr)
        return APIERR_BADPARS;
    sim::LibPartStore& store = Host::Get().GetProject().libParts;
    const auto* list = static_cast<const GS::Array<API_LibraryInfo>*>(par1);
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

} // namespace

GSErrCode ACAPI_Environment(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Environment", code);
    switch (code) {
    case APIEnv_GetSpecFolderID:
        return SpecialFolder(par1, par2);
    case APIEnv_GetLibrariesID:
        return GetLibraries(par1, par2);
    case APIEnv_SetLibrariesID:
        return SetLibraries(par1);
    case APIEnv_GetProjectNotesID: {
        if (par1 == nullptr)
            return APIERR_BADPARS;
        auto* notes = static_cast<API_ProjectNoteInfo*>(par1);
        std::memset(notes, 0, sizeof(API_ProjectNoteInfo));
        const sim::ProjectInfo& info = Host::Get().GetProject().info;
        const std::string name = info.untitled ? std::string() : GS::TruncateUtf8(info.name.ToUtf8(), 255);
        std::memcpy(notes->projectName, name.data(), name.size());
        return NoError;
    }
    default:
        return APIERR_BADPARS;
    }
}
