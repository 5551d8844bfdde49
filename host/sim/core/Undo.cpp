// Undoable commands: each one is an undo step, recorded by its name.
#include "APIdefs_UserData.h"
#include "Host.hpp"

using sim::Host;

GSErrCode ACAPI_CallUndoableCommand(const GS::UniString& undoString, const std::function<GSErrCode()>& command)
{
    SIM_ENTER("ACAPI_CallUndoableCommand");
    return Host::Get().GetCommands().RunUndoable(
        undoString.ToUtf8(), command, [](const std::string& name) { Host::Get().GetProject().undo.Record(name); });
}
