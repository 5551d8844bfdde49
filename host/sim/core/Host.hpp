#pragma once
// The running application of the stand-alone host: the project, what the host shows
// and records, and the instrumentation tests use (call counters, fault injection,
// and a guard around every call into the add-on).
#include "AddOnSlot.hpp"
#include "CallIds.hpp"
#include "Commands.hpp"
#include "GS/Types.hpp"
#include "Interface.hpp"
#include "Project.hpp"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace sim {

class Host {
public:
    static Host& Get();

    // A fresh application with an empty project; the work folder stays.
    void Reset();

    Project& GetProject() { return *project; }
    void SetProject(std::unique_ptr<Project> newProject) { project = std::move(newProject); }

    // The host's current directory: "log.txt" and the special folders live here.
    const std::filesystem::path& GetWorkFolder() const { return workFolder; }
    void SetWorkFolder(const std::filesystem::path& folder);

    // Debug output (DBPrintf and the logger's echo). A release build of the application
    // drops it; the benchmarks do the same, so they measure the add-on and not the console.
    void AppendDebug(const std::string& text)
    {
        if (keepDebugOutput)
            debugOutput += text;
    }
    void KeepDebugOutput(bool keep) { keepDebugOutput = keep; }
    bool KeepsDebugOutput() const { return keepDebugOutput; }
    const std::string& GetDebugOutput() const { return debugOutput; }
    void ClearDebugOutput() { debugOutput.clear(); }

    // Instrumentation. Every ACAPI_ function calls Enter with its name first: the call
    // is counted, and a fault injected for it is returned instead of doing the work. Counts
    // and faults are kept by the call's logical id (CallIds.hpp: "Element.Get"), which the
    // functions below take; a host function's own name is taken to mean its id.
    GSErrCode Enter(const char* function); // `function` a literal: it lives as long as the program
    GSErrCode Enter(const std::string& function);
    int GetCallCount(const std::string& function) const;
    // Writes the name of every call from now on, one per line, until given null: the order
    // of the add-on's host calls, to compare two builds by (korvel-host run --calls).
    void TraceCalls(std::ostream* out) { callTrace = out; }
    const std::map<std::string, int>& GetCallCounts() const { return callCounts; }
    void ResetCallCounts()
    {
        callCounts.clear();
        counterByAddress.clear();
    }
    // Make `function` fail with `code` on its n-th call from now (1 = the next one),
    // for `times` calls (-1: every call from then on).
    void InjectFault(const std::string& function, GSErrCode code, int nth = 1, int times = 1);
    // Make `function` raise std::bad_alloc on its n-th call from now, as a host out of
    // memory does from inside its own library.
    void InjectException(const std::string& function, int nth = 1);
    void ClearFaults()
    {
        faults.clear();
        throwing.clear();
    }

    // Runs a call into the add-on. An exception that escapes it would take the real
    // application down: it is recorded and `onEscape` answers in its place.
    template <typename R> R CallAddOn(const std::string& what, const std::function<R()>& call, R onEscape)
    {
        try {
            return call();
        } catch (const std::exception& e) {
            RecordEscape(what, e.what());
        } catch (...) {
            RecordEscape(what, "unknown exception");
        }
        return onEscape;
    }
    void CallAddOn(const std::string& what, const std::function<void()>& call);
    const std::vector<std::string>& GetEscapedExceptions() const { return escapes; }

    AddOnSlot& AddOn() { return addOn; }

    // Files the host writes carry the time they were written, or this fixed one (for
    // outputs that are compared byte for byte).
    void FixTime(const std::string& timestamp) { fixedTime = timestamp; }
    std::string Timestamp() const; // ISO 8601, local time
    Interface& UI() { return ui; }
    // The command running now, and the rules that follow from it.
    Commands& GetCommands() { return commands; }

    // Host memory handles still allocated.
    long& LiveHandles() { return liveHandles; }

private:
    Host();
    std::ostream* callTrace = nullptr;
    void RecordEscape(const std::string& what, const std::string& message);
    // The injected failure of the n-th call of a function, or NoError.
    GSErrCode Failure(const std::string& function, int call);

    struct Fault {
        GSErrCode code;
        int firstCall; // absolute call number
        int times;
    };

    std::unique_ptr<Project> project;
    AddOnSlot addOn;
    Interface ui;
    Commands commands;
    std::filesystem::path workFolder;
    std::string debugOutput;
    std::string fixedTime;
    bool keepDebugOutput = true;
    std::map<std::string, int> callCounts;
    struct Counter {
        int* count;      // into callCounts
        const char* key; // the call's id, or the function's name when it has none
    };
    std::unordered_map<const char*, Counter> counterByAddress;
    std::multimap<std::string, Fault> faults;
    std::multimap<std::string, int> throwing; // function -> absolute call number
    std::vector<std::string> escapes;
    long liveHandles = 0;
};

} // namespace sim

namespace sim {
// A four-character request as text ('GLIB' -> "GLIB"), for counting calls per request.
std::string RequestName(const char* function, GSType code);
} // namespace sim

// First statement of every ACAPI_ function that returns an error code.
#define SIM_ENTER(name)                                                                                                \
    do {                                                                                                               \
        if (GSErrCode simInjected_ = ::sim::Host::Get().Enter(name); simInjected_ != NoError)                          \
            return simInjected_;                                                                                       \
    } while (false)

// First statement of a function that serves four-character requests: counted and
// fault-injectable per request, under "function/CODE" (for example "ACAPI_Environment/GLIB").
#define SIM_ENTER_REQUEST(name, code)                                                                                  \
    do {                                                                                                               \
        if (GSErrCode simInjected_ = ::sim::Host::Get().Enter(::sim::RequestName(name, code));                         \
            simInjected_ != NoError)                                                                                   \
            return simInjected_;                                                                                       \
    } while (false)
