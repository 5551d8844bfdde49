// Undoable commands, as generation 26 runs them.
#include "Commands.hpp"

#include "ACAPinc.h"

namespace KRV::port {

const char* const undoableCommandCall = "ACAPI_CallUndoableCommand";

GSErrCode UndoableCommand(const GS::UniString& name, const std::function<GSErrCode()>& command)
{
    return ACAPI_CallUndoableCommand(name, command);
}

} // namespace KRV::port
