// Undoable commands: each one is an undo step, recorded by its name.
#include "APIdefs_UserData.h"
#include "Host.hpp"

using sim::Host;

GSErrCode ACAPI_CallUndoableCommand(const GS::UniString& undoString, const std::function<GSErrCode()>& command)
{
    SIM_ENTER("ACAPI_CallUndoableCommand");
    sim::Project& project = Host::Get().GetProject();
    if (project.openUndoCommands > 0)
        return APIERR_NESTING;
    project.undoSteps.push_back(undoString.ToUtf8());
    ++project.openUndoCommands;
    GSErrCode result = APIERR_GENERAL;
    try {
        result = command();
    } catch (...) {
        --project.openUndoCommands;
        throw;
    }
    --project.openUndoCommands;
    return result;
}
