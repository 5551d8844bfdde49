#pragma once
// The add-on's diagnostics: one line per message to "log.txt" in the host's current
// directory, echoed to the host's debug output.
#include <ostream>
#include <streambuf>
#include <string>

namespace KRV {

enum LogOutputType : int { Info = 0, Warning = 1, Error = 2 };

inline constexpr const char* infoString = "[Info]   ";
inline constexpr const char* warningString = "[Warning]";
inline constexpr const char* errorString = "[Error]  ";
inline constexpr const char* logFilename = "log.txt";
inline constexpr const char* timeFormat = "%d-%m-%Y %H:%M:%S";

const char* GetTypeStr(LogOutputType type);

// A stream whose every insertion becomes one log line of the stream's current type.
class LogStream : public std::ostream {
public:
    LogStream();
    LogOutputType type = Info;

private:
    class Buffer : public std::streambuf {};
    Buffer buffer;
};

LogStream& operator<<(LogStream& stream, const std::string& message);
LogStream& operator<<(LogStream& stream, const char* message);

class Logger {
public:
    static Logger& GetInstance();
    void Log(const std::string& message, LogOutputType type);
    LogStream& GetStream() { return stream; }

private:
    Logger();
    bool toFile = true;
    bool toDebug = true;
    LogStream stream;
};

void Log(const std::string& message, LogOutputType type);
void LogInfo(const std::string& message);
void LogWarning(const std::string& message);
void LogError(const std::string& message);
LogStream& GetLogSrteam(LogOutputType type);

} // namespace KRV
