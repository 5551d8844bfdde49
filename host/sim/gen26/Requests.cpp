// Generation 26's request functions: a four-character code picks the call, counted and
// fault-injectable per code under "function/CODE".
#include <ctime>

#include "APIdefs_Environment.h"
#include "APIdefs_Goodies.h"
#include "APIdefs_IFC.h"
#include "APIdefs_Interface.h"
#include "APIdefs_UserData.h"
#include "Calls.hpp"
#include "Host.hpp"

using namespace sim::calls;

GSErrCode ACAPI_Environment(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Environment", code);
    switch (code) {
    case APIEnv_GetSpecFolderID: {
        if (par1 == nullptr)
            return APIERR_BADPARS;
        std::optional<Folder> folder;
        switch (*static_cast<const API_SpecFolderID*>(par1)) {
        case API_AppDataFolderID:
            folder = Folder::applicationData;
            break;
        case API_TemporaryFolderID:
            folder = Folder::temporary;
            break;
        default:
            break;
        }
        return SpecialFolder(folder, static_cast<IO::Location*>(par2));
    }
    case APIEnv_GetLibrariesID:
        return GetLibraries(static_cast<GS::Array<API_LibraryInfo>*>(par1), static_cast<Int32*>(par2));
    case APIEnv_SetLibrariesID:
        return SetLibraries(static_cast<const GS::Array<API_LibraryInfo>*>(par1));
    case APIEnv_GetProjectNotesID:
        return ProjectNotes(static_cast<API_ProjectNoteInfo*>(par1));
    default:
        return APIERR_BADPARS;
    }
}

GSErrCode ACAPI_Goodies(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Goodies", code);
    switch (code) {
    case APIAny_UI2ElemPriorityID:
        return ElementPriority(static_cast<const Int32*>(par1), static_cast<Int32*>(par2));
    case APIAny_GetElemLibPartUnIdID:
        return ElementLibPartUniqueId(static_cast<const API_Elem_Head*>(par1), static_cast<char*>(par2),
                                      APIERR_BADELEMENTTYPE);
    default:
        return APIERR_BADPARS;
    }
}

GSErrCode ACAPI_Goodies_GetElemTypeName(API_ElemTypeID type, GS::UniString& name)
{
    SIM_ENTER("ACAPI_Goodies_GetElemTypeName");
    return ElemTypeName(type, name, APIERR_BADELEMENTTYPE);
}

GSErrCode ACAPI_Interface(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Interface", code);
    const auto* text = static_cast<const GS::UniString*>(par1);
    const auto* number = static_cast<const Int32*>(par2);
    switch (code) {
    case APIIo_InitProcessWindowID:
        return Progress(ProgressStep::open, text, number);
    case APIIo_SetNextProcessPhaseID:
        return Progress(ProgressStep::phase, text, number);
    case APIIo_IsProcessCanceledID:
        return Progress(ProgressStep::cancelled, nullptr, nullptr);
    case APIIo_CloseProcessWindowID:
        return Progress(ProgressStep::close, nullptr, nullptr);
    default:
        return APIERR_BADPARS;
    }
}

GSErrCode ACAPI_Automate(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Automate", code);
    if (code != APIDo_SaveID)
        return APIERR_BADPARS;
    return SaveIfc(static_cast<const API_FileSavePars*>(par1), static_cast<const API_SavePars_Ifc*>(par2));
}

GSErrCode ACAPI_Database(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Database", code);
    if (par1 == nullptr)
        return APIERR_BADPARS;
    auto* info = static_cast<API_DatabaseInfo*>(par1);
    std::string name;
    switch (code) {
    case APIDb_GetDatabaseInfoID: {
        GSErrCode err = DatabaseInfo(info, &name);
        if (err == NoError)
            info->name = GS::UniString(name);
        return err;
    }
    case APIDb_GetCurrentDatabaseID: {
        GSErrCode err = CurrentDatabase(info, &name);
        if (err == NoError)
            info->name = GS::UniString(name);
        return err;
    }
    case APIDb_ChangeCurrentDatabaseID:
        return ChangeDatabase(info);
    case APIDb_GetElementInfoStringID:
        return ElementInfoString(static_cast<const API_Guid*>(par1), static_cast<GS::UniString*>(par2));
    default:
        return APIERR_BADPARS;
    }
}

// The present moment, local time.
void TIGetTimeRecord(GSTimeRecord* record)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    record->year = static_cast<short>(local.tm_year + 1900);
    record->month = static_cast<short>(local.tm_mon + 1);
    record->day = static_cast<short>(local.tm_mday);
    record->hour = static_cast<short>(local.tm_hour);
    record->minute = static_cast<short>(local.tm_min);
    record->second = static_cast<short>(local.tm_sec);
}
