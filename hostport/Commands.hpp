#pragma once
// Undoable commands: every change to the project's elements runs inside one, named by the
// undo step the user sees.
#include <functional>

#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

// Runs `command` as one undo step of that name; answers its error, or the host's for a
// command it refused or that failed (an element operation outside any is refused).
GSErrCode UndoableCommand(const GS::UniString& name, const std::function<GSErrCode()>& command);
// The host call behind it, as log contexts name it.
extern const char* const undoableCommandCall;

} // namespace KRV::port
