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
// For reads: true when the call succeeded or answered `absent` (the host's "there is no
// such thing"); any other failure is logged with the context and answers false.
bool ReadSucceeded(int errorCode, const char* context, int absent = 0);
// The same, the context made of the operation's own text, its separator included
// ("Operation::" or "Operation - "), and the port's name for the host call it made.
void LogArchicadErrorCodeMessage(int errorCode, const char* operation, const char* call);
bool ReadSucceeded(int errorCode, const char* operation, const char* call, int absent = 0);
void LogArchicadErrorCodeMessage(int errorCode, const std::string& operation, const char* call);
// The context of the last host failure logged above since the last call ("" when none was),
// so that a line summing up an operation can name the host call it failed at.
std::string TakeLastFailedCall();

} // namespace KRV
