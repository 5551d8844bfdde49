// The application around the project: generation 26 tells it through request codes of
// ACAPI_Environment and ACAPI_Database, generation 29 through functions of their own.
#include "Environment.hpp"

#include <cstring>

#include "ACAPinc.h"
#include "APIdefs_Environment.h"
#include "APIdefs_IFC.h"
#include "internal/Records.hpp"

namespace KRV::port {

GSErrCode SpecialFolder(Folder which, IO::Location& folder)
{
#if KORVEL_HOST_GENERATION >= 29
    // Generation 29 has no application data folder of its own: the application's preferences
    // folder, which is the user's, serves.
    API_SpecFolderID id = which == Folder::temporary ? API_TemporaryFolderID : API_ApplicationPrefsFolderID;
    return ACAPI_ProjectSettings_GetSpecFolder(&id, &folder);
#else
    API_SpecFolderID id = which == Folder::temporary ? API_TemporaryFolderID : API_AppDataFolderID;
    return ACAPI_Environment(APIEnv_GetSpecFolderID, &id, &folder);
#endif
}

GSErrCode ProjectName(GS::UniString& name)
{
    API_ProjectNoteInfo notes{};
#if KORVEL_HOST_GENERATION >= 29
    if (GSErrCode err = ACAPI_ProjectSetting_GetProjectNotes(&notes); err != NoError)
        return err;
#else
    if (GSErrCode err = ACAPI_Environment(APIEnv_GetProjectNotesID, &notes); err != NoError)
        return err;
#endif
    name = GS::UniString(std::string(notes.projectName, strnlen(notes.projectName, sizeof notes.projectName)));
    return NoError;
}

namespace {

#if KORVEL_HOST_GENERATION >= 29
// Database names are UTF-16 buffers.
GS::UniString NameOf(const API_DatabaseInfo& info)
{
    return GS::UniString(FieldText(info.name));
}
#else
GS::UniString NameOf(const API_DatabaseInfo& info)
{
    return info.name;
}
#endif

Database FromHost(const API_DatabaseInfo& info)
{
    Database database;
    database.floorPlan = info.typeID == APIWind_FloorPlanID;
    database.hostType = static_cast<Int32>(info.typeID);
    database.id = info.databaseUnId.elemSetId;
    database.name = NameOf(info);
    return database;
}

} // namespace

GSErrCode CurrentDatabase(Database& database)
{
    API_DatabaseInfo info{};
#if KORVEL_HOST_GENERATION >= 29
    if (GSErrCode err = ACAPI_Database_GetCurrentDatabase(&info); err != NoError)
        return err;
#else
    if (GSErrCode err = ACAPI_Database(APIDb_GetCurrentDatabaseID, &info); err != NoError)
        return err;
#endif
    database = FromHost(info);
    return NoError;
}

GSErrCode MakeCurrent(const Database& database)
{
    API_DatabaseInfo info{};
    info.typeID = static_cast<decltype(info.typeID)>(database.hostType);
    info.databaseUnId.elemSetId = database.id;
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_Database_ChangeCurrentDatabase(&info);
#else
    info.name = database.name;
    return ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &info);
#endif
}

Database FloorPlan()
{
    Database database;
    database.floorPlan = true;
    database.hostType = APIWind_FloorPlanID;
    return database;
}

GSErrCode DatabaseName(const API_Guid& id, GS::UniString& name)
{
    API_DatabaseInfo info{};
    info.databaseUnId.elemSetId = id;
#if KORVEL_HOST_GENERATION >= 29
    const GSErrCode err = ACAPI_Window_GetDatabaseInfo(&info);
#else
    const GSErrCode err = ACAPI_Database(APIDb_GetDatabaseInfoID, &info);
#endif
    name = NameOf(info);
    return err;
}

int HostGeneration()
{
    return KORVEL_HOST_GENERATION;
}

} // namespace KRV::port
