#pragma once
// Turns a failed host call's error code into a readable error line in the log.
#include <map>
#include <string>

namespace KRV {

// Host error code -> "NAME - Description."
extern const std::map<int, std::string> err_msgs;

// Logs "Archicad API Error: <message> (<context>)"; code 0 logs nothing.
// `context` names the operation and the host call: "Operation::ACAPI_Call".
void LogArchicadErrorCodeMessage(int errorCode, const char* context);

} // namespace KRV
