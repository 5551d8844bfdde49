// The add-on's diagnostics: one line per message to "log.txt", echoed to the debug output.
#include "Logger.hpp"

#include <ctime>
#include <fstream>

#include "DBPrintf.h"

namespace KRV {

const char* GetTypeStr(LogOutputType type)
{
    switch (type) {
    case Warning:
        return warningString;
    case Error:
        return errorString;
    default:
        return infoString;
    }
}

LogStream::LogStream() : std::ostream(&buffer) {}

LogStream& operator<<(LogStream& stream, const std::string& message)
{
    Logger::GetInstance().Log(message, stream.type);
    return stream;
}

LogStream& operator<<(LogStream& stream, const char* message)
{
    return stream << std::string(message != nullptr ? message : "");
}

Logger& Logger::GetInstance()
{
    static Logger instance;
    return instance;
}

Logger::Logger()
{
    // The file is emptied once per loading of the add-on.
    std::ofstream(logFilename, std::ios::out | std::ios::trunc);
}

void Logger::Log(const std::string& message, LogOutputType type)
{
    try {
        if (!toFile && !toDebug)
            return;
        const char* tag = GetTypeStr(type);
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char time[256];
        std::strftime(time, sizeof time, timeFormat, &local);
        if (toFile) {
            // Opened and closed per line, so lines survive a crash of the host.
            std::ofstream file(logFilename, std::ios::out | std::ios::app);
            if (file.is_open()) {
                file << time << ' ' << tag << "   " << message << '\n';
                file.flush();
            }
        }
        if (toDebug)
            DBPrintf("%s %s   %s \n", time, tag, message.c_str());
    } catch (...) {
        // Logging never fails towards its caller.
    }
}

void Log(const std::string& message, LogOutputType type)
{
    Logger::GetInstance().Log(message, type);
}
void LogInfo(const std::string& message)
{
    Log(message, Info);
}
void LogWarning(const std::string& message)
{
    Log(message, Warning);
}
void LogError(const std::string& message)
{
    Log(message, Error);
}

LogStream& GetLogSrteam(LogOutputType type)
{
    LogStream& stream = Logger::GetInstance().GetStream();
    stream.type = type;
    return stream;
}

} // namespace KRV
