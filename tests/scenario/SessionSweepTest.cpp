// A whole user session swept for faults: every host call the session makes, failing with an
// error code or throwing std::bad_alloc, one at a time, each run in a process of its own
// (forked before the add-on loads). What a failing call may not do, grouped by what it breaks:
// crash the host; leave it in a state the user did not choose; lose or half-write the user's
// data; answer success for work not done; change the outcome without a log line.
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <functional>
#include <set>

#include "Host.hpp"
#include "LoopbackServer.hpp"
#include "SweepSession.hpp"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

enum class Mode { Error, Throw };

struct Fault {
    std::size_t step;
    std::string function;
    int call;
};

// A run that takes longer than this is stuck, not slow (one run takes under a second, and a
// few seconds under the sanitizers): it is ended and reported, so that a hang fails the test
// instead of holding the suite until its time is up.
constexpr auto childLimit = std::chrono::seconds(120);

// Runs `body` in a child process; answers what it printed as JSON, or a "crash" entry when
// the child did not end by itself or did not end in time. The caller must have no other
// thread: a child forked while another thread holds a lock (the allocator's, say) waits on
// it for ever.
json InChild(const std::function<json()>& body)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {{"crash", "no pipe"}};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO); // what the add-on prints is not the test's
        json result;
        try {
            result = body();
        } catch (const std::exception& e) {
            result = {{"crash", std::string("the sweep itself failed: ") + e.what()}};
        }
        const std::string text = result.dump(-1, ' ', false, json::error_handler_t::replace);
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = write(pipeEnds[1], text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string text;
    char buffer[65536];
    const auto deadline = std::chrono::steady_clock::now() + childLimit;
    bool late = false;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            late = true;
            break;
        }
        pollfd readable{pipeEnds[0], POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            late = ready == 0;
            break;
        }
        const ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    if (late)
        kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (late)
        return {{"crash", "no end within " + std::to_string(childLimit.count()) + " s"}};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {{"crash", WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status))
                                              : "exit code " + std::to_string(WEXITSTATUS(status))}};
    json result = json::parse(text, nullptr, false);
    return result.is_discarded() ? json{{"crash", "no report"}} : result;
}

// The session's loopback server, in a process of its own: its threads must not be in the
// process that forks the runs. Answers its address; ends with the test.
class ServerProcess {
public:
    ServerProcess()
    {
        int urlPipe[2];
        int lifePipe[2];
        if (pipe(urlPipe) != 0 || pipe(lifePipe) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            close(urlPipe[0]);
            close(lifePipe[1]);
            {
                korvel_loopback::LoopbackServer server(fs::path(KORVEL_EXAMPLES_DIR) / "library");
                server.SetAnswer("/api/ifc", "201");
                const std::string address = server.Url() + "\n";
                if (write(urlPipe[1], address.data(), address.size()) < 0)
                    _exit(1);
                close(urlPipe[1]);
                char byte;
                while (read(lifePipe[0], &byte, 1) < 0 && errno == EINTR) {
                } // until the test closes its end, or ends
            }
            _exit(0);
        }
        close(urlPipe[1]);
        close(lifePipe[0]);
        life = lifePipe[1];
        char c;
        while (read(urlPipe[0], &c, 1) == 1 && c != '\n')
            url += c;
        close(urlPipe[0]);
    }
    ~ServerProcess()
    {
        if (life >= 0)
            close(life);
        if (pid > 0) {
            int status = 0;
            waitpid(pid, &status, 0);
        }
    }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    const std::string& Url() const { return url; }

private:
    pid_t pid = -1;
    int life = -1;
    std::string url;
};

fs::path ChildFolder()
{
    return fs::temp_directory_path() / "korvel-sweep" / std::to_string(getpid());
}

bool IsStatusSuccess(const json& reply)
{
    if (!reply.is_string())
        return false;
    const json status = json::parse(reply.get<std::string>(), nullptr, false);
    return status.is_object() && status.contains("IsError") && status["IsError"] == false;
}

bool IsStatusFailure(const json& reply)
{
    if (!reply.is_string())
        return false;
    const json status = json::parse(reply.get<std::string>(), nullptr, false);
    return status.is_object() && status.value("IsError", false) == true;
}

// Is the bulk reply's every entry something other than "failed"?
bool IsBulkSuccess(const json& reply)
{
    if (!reply.is_string())
        return false;
    const json entries = json::parse(reply.get<std::string>(), nullptr, false);
    if (!entries.is_array())
        return false;
    for (const json& entry : entries)
        if (!entry.is_object() || entry.value("status", "") == "failed")
            return false;
    return true;
}

const json& Field(const json& item, const std::string& name)
{
    static const json none;
    return item.is_object() && item.contains(name) ? item.at(name) : none;
}

// Does the item hold every property its stored list names, with the stored value? A list
// written over its properties is whole, even when it is an earlier one of the step's.
bool StoredListIsWhole(const json& item)
{
    const json& text = Field(item, "userData");
    if (!text.is_string())
        return false;
    const json list = json::parse(text.get<std::string>(), nullptr, false);
    if (!list.is_array())
        return false;
    for (const json& property : list)
        if (!property.is_object() ||
            Field(Field(item, "properties"), property.value("group", "") + "/" + property.value("name", "")) !=
                property.value("value", json()))
            return false;
    return true;
}

// What an element carries of the catalogue: classification, properties, stored list, observer.
json CatalogueData(const json& element)
{
    json data = json::object();
    for (const char* field : {"classification", "properties", "userData", "observed"})
        data[field] = Field(element, field);
    return data;
}

// A library part's own parameters, the catalogue's "KV_" ones left out.
json OwnParameters(const json& parameters)
{
    json own = json::array();
    if (parameters.is_array())
        for (const json& parameter : parameters)
            if (parameter.value("name", "").rfind("KV_", 0) != 0)
                own.push_back(parameter);
    return own;
}

// Every field of every item as before the step or as a clean run leaves it; stored data
// only with all the properties it lists. What the host's calls cannot undo is allowed where
// it is whole: a stored list the step wrote earlier over its own properties (a material that
// is a layer twice), a library part the host registered whose catalogue parameters and
// record could not follow (its own parameters kept), and a classification system made
// whose first item could not be (the host has no call to take a system back; the next
// import adds the item).
void CheckData(const json& before, const json& clean, const json& after, std::vector<std::string>& problems)
{
    std::set<std::string> keys;
    for (const json* p : {&before, &clean, &after})
        for (const auto& [key, value] : p->items())
            keys.insert(key);
    for (const std::string& key : keys) {
        const json& a = Field(after, key);
        const json& b = Field(before, key);
        const json& c = Field(clean, key);
        if (a == b || a == c)
            continue;
        // An element's catalogue data is one whole: its classification and every property as
        // before the step or as a clean run leaves it, not each field on its own (a missing
        // property or classification would pass that), and its observer with it.
        if (key.rfind("element ", 0) == 0 && CatalogueData(a) != CatalogueData(b) &&
            CatalogueData(a) != CatalogueData(c))
            problems.push_back("data: " + key + " carries catalogue data " + CatalogueData(a).dump().substr(0, 160) +
                               ", neither as before nor as a clean run leaves it");
        if (!a.is_object() || (!b.is_object() && !b.is_null()) || (!c.is_object() && !c.is_null())) {
            problems.push_back("data: " + key + " is neither as before nor as a clean run leaves it");
            continue;
        }
        std::set<std::string> fields;
        for (const json* p : {&a, &b, &c})
            if (p->is_object())
                for (const auto& [field, value] : p->items())
                    fields.insert(field);
        for (const std::string& field : fields) {
            const json& af = Field(a, field);
            const json& bf = Field(b, field);
            const json& cf = Field(c, field);
            if (af == bf || af == cf)
                continue;
            if (field == "userData" && StoredListIsWhole(a))
                continue;
            if (field == "items" && key.rfind("classification ", 0) == 0 && b.is_null() && af == json::array())
                continue;
            if (key.rfind("library part ", 0) == 0 &&
                Field(after, "record KV_" + key.substr(13)) != Field(clean, "record KV_" + key.substr(13)) &&
                ((field == "parameters" &&
                  (OwnParameters(af) == OwnParameters(bf) || OwnParameters(af) == OwnParameters(cf))) ||
                 (field == "fileContent" && af != "missing")))
                continue;
            if (field == "properties" && af.is_object()) {
                for (const auto& [name, value] : af.items())
                    if (value != Field(bf, name) && value != Field(cf, name))
                        problems.push_back("data: " + key + " property " + name + " is \"" + value.dump() +
                                           "\", neither as before nor as a clean run leaves it");
                continue;
            }
            problems.push_back("data: " + key + "." + field + " is " + af.dump().substr(0, 120) +
                               ", neither as before nor as a clean run leaves it");
        }
        // The stored catalogue data is written last: only when every property it lists is.
        const json& stored = Field(a, "userData");
        if (!stored.is_null() && stored == Field(c, "userData") && stored != Field(b, "userData")) {
            const json want = Field(c, "properties").is_object() ? Field(c, "properties") : json::object();
            for (const auto& [name, value] : want.items())
                if (Field(Field(a, "properties"), name) != value)
                    problems.push_back("data: " + key + " stores its catalogue data without its property " + name);
        }
    }
}

json Check(const sweep::State& before, const sweep::State& clean, const sweep::State& run, Mode, const Fault& fault)
{
    std::vector<std::string> problems;
    if (run.line.contains("crash"))
        problems.push_back("crash: " + run.line["crash"].get<std::string>());
    if (run.commandOpen)
        problems.push_back("host state: an undoable command is left open");
    if (run.progressOpen)
        problems.push_back("host state: the progress window is left open");
    if (Field(run.project, "database") != Field(clean.project, "database"))
        problems.push_back("host state: the current database is " + Field(run.project, "database").dump());
    // A host that refuses to release memory, or throws instead, keeps it: nothing for the add-on to do.
    const bool releasing = fault.function.rfind("Dispose", 0) == 0;
    if (run.handles != clean.handles && !releasing)
        problems.push_back("host state: " + std::to_string(run.handles - clean.handles) + " host handles leaked");
    CheckData(before.project, clean.project, run.project, problems);
    std::set<std::string> known(before.files.begin(), before.files.end());
    known.insert(clean.files.begin(), clean.files.end());
    for (const std::string& file : run.files)
        if (known.count(file) == 0)
            problems.push_back("data: stray file " + file);

    const json& reply = Field(run.line, "reply");
    const bool projectAsClean = run.project == clean.project;
    if ((IsStatusSuccess(reply) || IsBulkSuccess(reply)) && !projectAsClean)
        problems.push_back("reply: success answered, but the project is not as a clean run leaves it");
    if (IsBulkSuccess(Field(clean.line, "reply")) && reply.is_string()) {
        const json mine = json::parse(reply.get<std::string>(), nullptr, false);
        const json theirs = json::parse(Field(clean.line, "reply").get<std::string>());
        if (mine.is_array() && mine.size() == theirs.size())
            for (std::size_t i = 0; i < mine.size(); ++i)
                if (mine[i] != theirs[i] && mine[i].value("status", "") != "failed")
                    problems.push_back("reply: bulk item " + std::to_string(i) + " answered " +
                                       mine[i].value("status", "") + " for work not done");
    }
    // A report (the take-off, the update status) the host's failure changed is a failure, never
    // an answer the page would take as complete.
    const std::string function = run.line.value("fn", "");
    if ((function == "getCalculationData" || function == "updateStatus") && reply != Field(clean.line, "reply") &&
        !IsStatusFailure(reply))
        problems.push_back("reply: the " + function +
                           " reply differs from the clean run's: " + reply.dump().substr(0, 160));
    const bool outcomeChanged = !projectAsClean || reply != Field(clean.line, "reply");
    if (outcomeChanged) {
        std::set<std::string> cleanLog(clean.log.begin(), clean.log.end());
        bool said = false;
        for (const std::string& line : run.log)
            said = said || cleanLog.count(line) == 0;
        if (!said)
            problems.push_back("log: the outcome changed without a log line");
    }
    return problems;
}

class SessionSweepTest : public ::testing::TestWithParam<std::tuple<Mode, int>> {
protected:
    static constexpr int shards = 3;
};

TEST_P(SessionSweepTest, NoFailingHostCallCrashesLosesDataOrIsAnsweredAsSuccess)
{
    const Mode mode = std::get<0>(GetParam());
    const int shard = std::get<1>(GetParam());
    const ServerProcess server;
    ASSERT_FALSE(server.Url().empty()) << "the loopback server did not start";
    const std::vector<json> steps = sweep::Steps(server.Url());

    // The clean run: what every step leaves behind, and the host calls it makes.
    const json clean = InChild([&] {
        sweep::Run run(ChildFolder(), steps);
        json states = json::array();
        states.push_back(run.Snapshot(json::object()));
        while (!run.Done())
            states.push_back(run.Step());
        fs::remove_all(ChildFolder());
        return json{{"states", states}};
    });
    ASSERT_FALSE(clean.contains("crash")) << clean.dump();
    const auto states = clean.at("states").get<std::vector<sweep::State>>();
    ASSERT_EQ(states.size(), steps.size() + 1);
    for (std::size_t k = 1; k < states.size(); ++k)
        ASSERT_FALSE(states[k].line.contains("error") || states[k].line.contains("crash")) << states[k].line;

    std::vector<Fault> faults;
    for (std::size_t k = 0; k < steps.size(); ++k)
        for (const auto& [function, count] : states[k + 1].calls)
            for (int n = 1; n <= count; ++n)
                faults.push_back({k, function, n});
    ASSERT_GT(faults.size(), 500u);

    // Under the sanitizers each run is slow: a sample of the calls there.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    const std::size_t every = 7;
#else
    const std::size_t every = 1;
#endif
#else
    const std::size_t every = 1;
#endif
    std::map<std::string, std::vector<std::string>> byKind;
    int runs = 0;
    // KORVEL_SWEEP_ONLY=TEXT runs only the faults whose description holds TEXT, and shows
    // what each of them logged.
    const char* only = std::getenv("KORVEL_SWEEP_ONLY");
    for (std::size_t i = static_cast<std::size_t>(shard) * every; i < faults.size(); i += shards * every) {
        const Fault& fault = faults[i];
        const std::string where = "step " + std::to_string(fault.step + 1) + " (" + steps[fault.step].value("do", "") +
                                  " " + steps[fault.step].value("fn", "") + "), " + fault.function + " #" +
                                  std::to_string(fault.call) + (mode == Mode::Error ? " failing" : " throwing");
        if (only != nullptr && where.find(only) == std::string::npos)
            continue;
        const json report = InChild([&] {
            sweep::Run run(ChildFolder(), steps);
            while (run.Next() < fault.step)
                run.Step();
            sim::Host& host = sim::Host::Get();
            host.ResetCallCounts();
            if (mode == Mode::Error)
                host.InjectFault(fault.function, APIERR_GENERAL, fault.call);
            else
                host.InjectException(fault.function, fault.call);
            const sweep::State faulted = run.Step();
            host.ClearFaults();
            json problems = Check(states[fault.step], states[fault.step + 1], faulted, mode, fault);
            if (only != nullptr)
                for (const std::string& line : faulted.log)
                    problems.push_back("logged: " + line);
            // The rest of the session still runs on what was left.
            while (!run.Done()) {
                const sweep::State later = run.Step();
                const std::string step = " at step " + std::to_string(run.Next());
                if (later.line.contains("crash"))
                    problems.push_back("crash" + step + ": " + later.line["crash"].get<std::string>());
                if (later.commandOpen || later.progressOpen)
                    problems.push_back("host state" + step + ": a command or the progress window is left open");
            }
            fs::remove_all(ChildFolder());
            return problems;
        });
        ++runs;
        if (report.is_object()) {
            byKind["crash"].push_back(where + ": " + report.value("crash", ""));
            continue;
        }
        for (const json& problem : report) {
            const std::string text = problem.get<std::string>();
            byKind[text.substr(0, text.find(':'))].push_back(where + ": " + text);
        }
    }
    EXPECT_GT(runs, 0);
    // KORVEL_SWEEP_ALL=1 shows every problem, not the first 40 of each kind.
    const std::size_t shownAtMost = std::getenv("KORVEL_SWEEP_ALL") != nullptr ? SIZE_MAX : 40;
    for (const auto& [kind, list] : byKind) {
        std::string shown;
        for (std::size_t i = 0; i < list.size() && i < shownAtMost; ++i)
            shown += "\n  " + list[i];
        ADD_FAILURE() << list.size() << " " << kind << " problems in " << runs << " runs:" << shown;
    }
}

INSTANTIATE_TEST_SUITE_P(Calls, SessionSweepTest,
                         ::testing::Combine(::testing::Values(Mode::Error, Mode::Throw), ::testing::Range(0, 3)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == Mode::Error ? "Failing" : "Throwing") +
                                    std::to_string(std::get<1>(info.param));
                         });

} // namespace
