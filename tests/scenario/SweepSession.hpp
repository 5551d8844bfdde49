#pragma once
// A whole user session for the fault sweep, and what one step of it leaves behind: the
// project read back by what things are (names, not generated guids), the files in the work
// folder, the log lines it added, and the host's state.
#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "ProjectSnapshot.hpp"
#include "Session.hpp"

namespace sweep {

using nlohmann::json;

// The project the session starts from, and its steps: every function of the page's object
// and every kind of element event. `server` is the loopback address of the catalogue's files.
json StartProject();
std::vector<json> Steps(const std::string& server);

// What a step left behind.
struct State {
    json line;                        // the session's line for the step (its "reply")
    json project;                     // item name -> what it is, as Normalize gives it
    std::vector<std::string> files;   // in the work folder, relative, sorted (the log left out)
    std::vector<std::string> log;     // the messages the step added to "log.txt"
    long handles = 0;                 // live host memory handles
    std::map<std::string, int> calls; // the host calls the step made
    bool commandOpen = false;
    bool progressOpen = false;
};
void to_json(json& j, const State& s);
void from_json(const json& j, State& s);

// Runs the session in this process, in `work`: a fresh host, the start project, the add-on
// loaded. Step() runs the next step and answers what it left behind.
class Run {
public:
    Run(const std::filesystem::path& work, const std::vector<json>& steps);
    ~Run();
    bool Done() const { return next >= steps.size(); }
    std::size_t Next() const { return next; }
    State Step();
    State Snapshot(const json& line) const;

private:
    std::filesystem::path work;
    std::vector<json> steps;
    std::size_t next = 0;
    std::size_t logLines = 0;
    std::ostringstream out;
    std::unique_ptr<korvel_host::Session> session;
};

} // namespace sweep
