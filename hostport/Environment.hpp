#pragma once
// The application around the project: its special folders, the project's name, and which
// database (floor plan, section, layout) is current.
#include "API_Guid.h"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"
#include "IOLocation.hpp"

namespace KRV::port {

enum class Folder { applicationData, temporary };

// The host's special folder; the host's error when it cannot say.
GSErrCode SpecialFolder(Folder which, IO::Location& folder);
extern const char* const specialFolderCall;

// The project's name, as its project notes hold it.
GSErrCode ProjectName(GS::UniString& name);
extern const char* const projectNameCall;

// A database of the project, as the host describes it.
struct Database {
    bool floorPlan = false;
    Int32 hostType = 0; // the host's own code of its kind, to ask for it again
    API_Guid id{};      // null: the first database of the kind
    GS::UniString name;
};
GSErrCode CurrentDatabase(Database& database);
extern const char* const currentDatabaseCall;
// Makes the database current: the one of its id, or the first of its kind.
GSErrCode MakeCurrent(const Database& database);
// The floor plan, to make current.
Database FloorPlan();
extern const char* const makeCurrentCall;
// The name of the database of that id.
GSErrCode DatabaseName(const API_Guid& id, GS::UniString& name);

// The host generation the add-on is built for (it loads into no other).
int HostGeneration();

} // namespace KRV::port
