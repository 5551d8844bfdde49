#pragma once
// Runs a session script: one JSON action per line, one JSON result line per step.
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "StdoutCapture.hpp"

namespace korvel_loopback {
class LoopbackServer;
}

namespace korvel_host {

struct SessionOutcome {
    int steps = 0;
    int failedSteps = 0;
    bool crashed = false; // an exception escaped the add-on
};

class Session {
public:
    // Relative paths in the script are taken from `baseFolder`.
    Session(std::ostream& out, std::filesystem::path baseFolder);
    ~Session();

    // What the add-on writes to standard output is taken from `capture` after each step
    // into the step's line ("stdout") and kept for {"do":"dump","what":"stdout"}.
    void CaptureStdout(StdoutCapture* capture) { stdoutCapture = capture; }

    // Loads the add-on into the host as the application would; false when it refused.
    bool LoadAddOn();
    SessionOutcome Run(std::istream& script);
    // One action; the result line it prints.
    nlohmann::json Step(const nlohmann::json& action);

    // What {"do":"dump","what":WHAT} shows, without counting a step (StepError for an unknown one).
    nlohmann::json Inspect(const std::string& what) const { return Dump(what); }

    // From now on every path a step names (the folder to serve, "argFile", the file to drop)
    // must lie inside the base folder, links resolved: steps come from a page, not from the
    // developer's own script.
    void ConfineToBaseFolder() { confined = true; }
    // Why the action may not run here (a path it names leaves the base folder), or nothing.
    std::optional<std::string> Refusal(const nlohmann::json& action) const;

    // The actions, with one line each saying what they do (for --help and the docs).
    struct ActionHelp {
        std::string name;
        std::string description;
    };
    static std::vector<ActionHelp> Actions();
    // What {"do":"dump"} can show, with one line each.
    static std::vector<ActionHelp> Dumps();

    // The JavaScript objects the add-on registered in the host's browsers: name -> function names.
    static nlohmann::json RegisteredObjects();

private:
    using Handler = nlohmann::json (Session::*)(const nlohmann::json& action);
    struct Action {
        const char* name;
        const char* description;
        Handler handler;
    };
    static const std::vector<Action>& Table();

    nlohmann::json Do(const nlohmann::json& action);
    nlohmann::json Dump(const std::string& what) const;
    using Show = nlohmann::json (Session::*)() const;
    struct DumpKind {
        const char* name;
        const char* description;
        Show show;
    };
    static const std::vector<DumpKind>& DumpTable();
    // The dumps' names, as a list in a sentence.
    static std::string DumpNames();
    nlohmann::json DumpLog() const;
    nlohmann::json DumpDebug() const;
    nlohmann::json DumpAlerts() const;
    nlohmann::json DumpUndo() const;
    nlohmann::json DumpProject() const;
    nlohmann::json DumpOpened() const;
    nlohmann::json DumpStdout() const;
    nlohmann::json DumpRequests() const;
    nlohmann::json DumpLaunched() const;
    nlohmann::json DumpProgress() const;
    nlohmann::json DumpDatabase() const;
    void TakeStdout(nlohmann::json& line);
    std::filesystem::path Resolve(const std::string& path) const;
    // The text with "{{server}}" replaced by the loopback server's address.
    std::string Substitute(const std::string& text) const;
    nlohmann::json Substitute(const nlohmann::json& value) const;

    // The actions (SessionActions.cpp, ElementSteps.cpp).
    nlohmann::json Menu(const nlohmann::json& action);
    nlohmann::json PaletteMessage(const nlohmann::json& action);
    nlohmann::json Click(const nlohmann::json& action);
    nlohmann::json Close(const nlohmann::json& action);
    nlohmann::json Event(const nlohmann::json& action);
    nlohmann::json Js(const nlohmann::json& action);
    nlohmann::json Drop(const nlohmann::json& action);
    nlohmann::json Answer(const nlohmann::json& action);
    nlohmann::json DumpStep(const nlohmann::json& action);
    nlohmann::json Unload(const nlohmann::json& action);
    nlohmann::json Serve(const nlohmann::json& action);
    nlohmann::json Place(const nlohmann::json& action);
    nlohmann::json Copy(const nlohmann::json& action);
    nlohmann::json Change(const nlohmann::json& action);
    nlohmann::json Edit(const nlohmann::json& action);
    nlohmann::json Delete(const nlohmann::json& action);
    nlohmann::json Rename(const nlohmann::json& action);
    nlohmann::json Notify(const nlohmann::json& action);
    nlohmann::json Database(const nlohmann::json& action);
    nlohmann::json Cancel(const nlohmann::json& action);
    nlohmann::json Translators(const nlohmann::json& action);
    nlohmann::json Functions(const nlohmann::json& action);

    std::ostream& out;
    std::filesystem::path baseFolder;
    bool confined = false;
    std::size_t escapesSeen = 0;
    int stepNumber = 0;
    StdoutCapture* stdoutCapture = nullptr;
    std::vector<std::string> stdoutLines;
    std::unique_ptr<korvel_loopback::LoopbackServer> server;
};

// A step that cannot be carried out; its message goes into the step's line.
struct StepError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A step that names a path outside the folder it is confined to.
struct StepRefused : StepError {
    using StepError::StepError;
};

} // namespace korvel_host
