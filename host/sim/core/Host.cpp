// The running application of the stand-alone host: the project, the UI, the instrumentation.
#include "Host.hpp"
#include "CallIds.hpp"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <ostream>

#include "BM.h"
#include "DBPrintf.h"

namespace sim {

Host& Host::Get()
{
    // Never destroyed: the add-on's singletons may still call in during static destruction.
    static Host* host = new Host;
    return *host;
}

Host::Host() : project(std::make_unique<Project>()), workFolder(std::filesystem::current_path()) {}

void Host::Reset()
{
    project = std::make_unique<Project>();
    debugOutput.clear();
    ResetCallCounts();
    faults.clear();
    throwing.clear();
    escapes.clear();
    addOn = AddOnSlot();
    commands.Reset();
    ui.alertAnswers.clear();
    ui.askAlert = nullptr;
    ui.alerts.clear();
    ui.openedLinks.clear();
    ui.progress.clear();
    ui.progressOpen = false;
    ui.cancelAt = 0;
    ui.launched.clear();
    ui.reallyLaunch = false;
}

void Host::SetWorkFolder(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    workFolder = std::filesystem::absolute(folder);
    std::filesystem::current_path(workFolder);
}

namespace {

// A call's id, or, for a function the table does not know, its own name.
std::string KeyOf(const std::string& call)
{
    const char* id = CallId(call);
    return id != nullptr ? std::string(id) : call;
}

} // namespace

GSErrCode Host::Enter(const char* function)
{
    // The names are literals: their addresses find the counter without building a text.
    if (callTrace != nullptr)
        *callTrace << function << '\n';
    Counter& slot = counterByAddress[function];
    if (slot.count == nullptr) {
        const char* id = CallId(function);
        slot.key = id != nullptr ? id : function;
        slot.count = &callCounts[slot.key];
    }
    const int call = ++*slot.count;
    if (faults.empty() && throwing.empty())
        return NoError;
    return Failure(slot.key, call);
}

GSErrCode Host::Enter(const std::string& function)
{
    if (callTrace != nullptr)
        *callTrace << function << '\n';
    const std::string key = KeyOf(function);
    const int call = ++callCounts[key];
    if (faults.empty() && throwing.empty())
        return NoError;
    return Failure(key, call);
}

GSErrCode Host::Failure(const std::string& function, int call)
{
    auto thrown = throwing.equal_range(function);
    for (auto it = thrown.first; it != thrown.second; ++it)
        if (it->second == call)
            throw std::bad_alloc();
    auto range = faults.equal_range(function);
    for (auto it = range.first; it != range.second; ++it) {
        const Fault& f = it->second;
        if (call >= f.firstCall && (f.times < 0 || call < f.firstCall + f.times))
            return f.code;
    }
    return NoError;
}

void Host::InjectException(const std::string& function, int nth)
{
    throwing.emplace(KeyOf(function), GetCallCount(function) + nth);
}

int Host::GetCallCount(const std::string& function) const
{
    auto it = callCounts.find(KeyOf(function));
    return it == callCounts.end() ? 0 : it->second;
}

void Host::InjectFault(const std::string& function, GSErrCode code, int nth, int times)
{
    faults.emplace(KeyOf(function), Fault{code, GetCallCount(function) + nth, times});
}

void Host::CallAddOn(const std::string& what, const std::function<void()>& call)
{
    CallAddOn<int>(
        what,
        [&] {
            call();
            return 0;
        },
        0);
}

std::string Host::Timestamp() const
{
    if (!fixedTime.empty())
        return fixedTime;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::string RequestName(const char* function, GSType code)
{
    std::string name = std::string(function) + "/";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        name += c >= ' ' && c < 0x7F ? c : '?';
    }
    return name;
}

void Host::RecordEscape(const std::string& what, const std::string& message)
{
    escapes.push_back(what + ": " + message);
    AppendDebug("HOST CRASH: exception escaped " + what + ": " + message + "\n");
}

} // namespace sim

void DBPrintf(const char* format, ...)
{
    if (!sim::Host::Get().KeepsDebugOutput())
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    // Most lines fit the buffer: one formatting pass.
    char line[512];
    const int size = std::vsnprintf(line, sizeof line, format, copy);
    va_end(copy);
    if (size > 0 && static_cast<std::size_t>(size) < sizeof line) {
        sim::Host::Get().AppendDebug(std::string(line, static_cast<std::size_t>(size)));
    } else if (size > 0) {
        std::string buffer(static_cast<std::size_t>(size) + 1, '\0');
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        buffer.resize(static_cast<std::size_t>(size));
        sim::Host::Get().AppendDebug(buffer);
    }
    va_end(args);
}

// Each handle is a block whose first 8 bytes hold the size of the user part.
GSHandle BMAllocateHandle(GSSize bytes, GSFlags, short)
{
    // An injected fault stands for memory running out.
    if (bytes < 0 || sim::Host::Get().Enter("BMAllocateHandle") != NoError)
        return nullptr;
    char* block = static_cast<char*>(std::calloc(1, static_cast<std::size_t>(bytes) + sizeof(GSSize)));
    if (block == nullptr)
        return nullptr;
    std::memcpy(block, &bytes, sizeof(GSSize));
    GSHandle handle = static_cast<GSHandle>(std::malloc(sizeof(char*)));
    *handle = block + sizeof(GSSize);
    ++sim::Host::Get().LiveHandles();
    return handle;
}

GSHandle BMhAllClear(GSSize bytes)
{
    return BMAllocateHandle(bytes, ALLOCATE_CLEAR, 0);
}

GSSize BMGetHandleSize(GSHandle handle)
{
    if (handle == nullptr || *handle == nullptr)
        return 0;
    GSSize size;
    std::memcpy(&size, *handle - sizeof(GSSize), sizeof(GSSize));
    return size;
}

GSSize BMhGetSize(GSHandle handle)
{
    return BMGetHandleSize(handle);
}

GSErrCode BMReallocHandle(GSHandle handle, GSSize bytes, GSFlags, short)
{
    if (handle == nullptr || bytes < 0)
        return -1;
    GSSize old = BMGetHandleSize(handle);
    char* block =
        static_cast<char*>(std::realloc(*handle - sizeof(GSSize), static_cast<std::size_t>(bytes) + sizeof(GSSize)));
    if (block == nullptr)
        return -1;
    if (bytes > old)
        std::memset(block + sizeof(GSSize) + old, 0, static_cast<std::size_t>(bytes - old));
    std::memcpy(block, &bytes, sizeof(GSSize));
    *handle = block + sizeof(GSSize);
    return NoError;
}

void BMKillHandle(GSHandle* handle)
{
    if (handle == nullptr || *handle == nullptr)
        return;
    std::free(**handle - sizeof(GSSize));
    std::free(*handle);
    *handle = nullptr;
    --sim::Host::Get().LiveHandles();
}

void BMhKill(GSHandle* handle)
{
    BMKillHandle(handle);
}
