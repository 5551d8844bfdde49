// The application around the project, as generation 26 tells it: request codes of
// ACAPI_Environment and ACAPI_Database.
#include "Environment.hpp"

#include <cstring>

#include "ACAPinc.h"
#include "APIdefs_Environment.h"
#include "APIdefs_IFC.h"

namespace KRV::port {

const char* const specialFolderCall = "ACAPI_Environment GetSpecFolder";
const char* const projectNameCall = "ACAPI_Environment GetProjectNotes";
const char* const currentDatabaseCall = "ACAPI_Database GetCurrentDatabase";
const char* const makeCurrentCall = "ACAPI_Database ChangeCurrentDatabase";

GSErrCode SpecialFolder(Folder which, IO::Location& folder)
{
    API_SpecFolderID id = which == Folder::temporary ? API_TemporaryFolderID : API_AppDataFolderID;
    return ACAPI_Environment(APIEnv_GetSpecFolderID, &id, &folder);
}

GSErrCode ProjectName(GS::UniString& name)
{
    API_ProjectNoteInfo notes{};
    if (GSErrCode err = ACAPI_Environment(APIEnv_GetProjectNotesID, &notes); err != NoError)
        return err;
    name = GS::UniString(std::string(notes.projectName, strnlen(notes.projectName, sizeof notes.projectName)));
    return NoError;
}

namespace {

Database FromHost(const API_DatabaseInfo& info)
{
    Database database;
    database.floorPlan = info.typeID == APIWind_FloorPlanID;
    database.hostType = static_cast<Int32>(info.typeID);
    database.id = info.databaseUnId.elemSetId;
    database.name = info.name;
    return database;
}

} // namespace

GSErrCode CurrentDatabase(Database& database)
{
    API_DatabaseInfo info{};
    if (GSErrCode err = ACAPI_Database(APIDb_GetCurrentDatabaseID, &info); err != NoError)
        return err;
    database = FromHost(info);
    return NoError;
}

GSErrCode MakeCurrent(const Database& database)
{
    API_DatabaseInfo info{};
    info.typeID = static_cast<API_DatabaseTypeID>(database.hostType);
    info.databaseUnId.elemSetId = database.id;
    info.name = database.name;
    return ACAPI_Database(APIDb_ChangeCurrentDatabaseID, &info);
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
    const GSErrCode err = ACAPI_Database(APIDb_GetDatabaseInfoID, &info);
    name = info.name;
    return err;
}

} // namespace KRV::port
