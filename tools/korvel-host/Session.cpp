// Runs a session script: one JSON action per line, one JSON result line per step.
#include "Session.hpp"

#include <algorithm>
#include <fstream>
#include <iostream>

#include "AddOnMain.hpp"
#include "Host.hpp"
#include "JsonText.hpp"
#include "LocalHttp.hpp"
#include "LoopbackServer.hpp"
#include "ProjectFile.hpp"
#include "UserActions.hpp"

namespace korvel_host {

using nlohmann::json;

const std::vector<Session::Action>& Session::Table()
{
    static const std::string dumpHelp = "show host state: " + DumpNames();
    static const std::vector<Action> table = {
        {"menu", "choose a menu command: 32500 the catalogue palette, 32400 the tools palette", &Session::Menu},
        {"palette", "send a palette control message 1-7 to the browser or native palette", &Session::PaletteMessage},
        {"click", "click a button of a palette", &Session::Click},
        {"close", "the close box of a palette", &Session::Close},
        {"event", "a project event (64: the application quits)", &Session::Event},
        {"js", "call a function of jsKorvelInterface with \"arg\" or the text of \"argFile\"", &Session::Js},
        {"drop", "drop a file on the host", &Session::Drop},
        {"answer", "queue answers for the next alerts (1 the first button)", &Session::Answer},
        {"dump", dumpHelp.c_str(), &Session::DumpStep},
        {"unload", "unload the add-on", &Session::Unload},
        {"serve", "serve a folder on a loopback address, {{server}} in later steps", &Session::Serve},
        {"place", "place an element given as in a project file (\"copyOf\": created from that element)",
         &Session::Place},
        {"copy", "copy an element", &Session::Copy},
        {"change", "change members of an element", &Session::Change},
        {"edit", "edit an element in place", &Session::Edit},
        {"delete", "delete an element", &Session::Delete},
        {"rename", "set an element's IFC \"Name\" (a change)", &Session::Rename},
        {"notify", "deliver any element event code for an element", &Session::Notify},
        {"database", "make the floor plan, a section or a layout the current database", &Session::Database},
        {"cancel", "the user cancels the progress window at its K-th question from now", &Session::Cancel},
        {"translators", "replace the host's IFC export translators by the names given", &Session::Translators},
        {"functions", "list the JavaScript objects the add-on registered with their functions", &Session::Functions},
    };
    return table;
}

std::vector<Session::ActionHelp> Session::Actions()
{
    std::vector<ActionHelp> help;
    for (const Action& action : Table())
        help.push_back({action.name, action.description});
    return help;
}

Session::Session(std::ostream& out, std::filesystem::path baseFolder) : out(out), baseFolder(std::move(baseFolder)) {}

Session::~Session() = default;

bool Session::LoadAddOn()
{
    auto result = sim::user::LoadAddOn(KRV::AddOnImage());
    json line = {{"step", 0}, {"do", "load"}, {"loaded", result.loaded}};
    if (!result.loaded)
        line["error"] = "the add-on did not load (register " + std::to_string(result.registerCode) + ", initialize " +
                        std::to_string(result.initializeCode) + ")";
    TakeStdout(line);
    out << line.dump(-1, ' ', false, json::error_handler_t::replace) << std::endl;
    escapesSeen = sim::Host::Get().GetEscapedExceptions().size();
    return result.loaded;
}

std::filesystem::path Session::Resolve(const std::string& path) const
{
    std::filesystem::path p(path);
    if (!confined)
        return p.is_absolute() ? p : baseFolder / p;
    auto inside = korvel_loopback::PathInside(baseFolder, path);
    if (inside)
        return *inside;
    // Not there: a path inside the folder fails as a missing file does; one outside is refused.
    std::error_code error;
    const auto root = std::filesystem::weakly_canonical(baseFolder, error);
    const auto target = std::filesystem::weakly_canonical(root / p, error);
    const auto [rootEnd, unused] = std::mismatch(root.begin(), root.end(), target.begin(), target.end());
    (void)unused;
    if (!error && rootEnd == root.end() && path.find('\0') == std::string::npos)
        return target;
    throw StepRefused("\"" + path + "\" lies outside " + baseFolder.string() +
                      "; a step from the page may only name paths inside that folder");
}

namespace {

// The paths an action names, by the action's own keys.
std::vector<std::string> NamedPaths(const json& action)
{
    std::vector<std::string> paths;
    if (!action.is_object())
        return paths;
    const std::string what = action.value("do", json("")).is_string() ? action.value("do", "") : "";
    auto add = [&](const char* key, const char* otherwise) {
        if (action.contains(key) && action[key].is_string())
            paths.push_back(action[key].get<std::string>());
        else if (otherwise != nullptr && !action.contains(key))
            paths.push_back(otherwise);
    };
    if (what == "serve")
        add("dir", ".");
    if (what == "js")
        add("argFile", nullptr);
    if (what == "drop")
        add("file", nullptr);
    return paths;
}

} // namespace

std::optional<std::string> Session::Refusal(const json& action) const
{
    if (!confined)
        return std::nullopt;
    for (const std::string& path : NamedPaths(action)) {
        try {
            Resolve(path);
        } catch (const StepRefused& refused) {
            return std::string(refused.what());
        }
    }
    return std::nullopt;
}

std::string Session::Substitute(const std::string& text) const
{
    if (server == nullptr)
        return text;
    static const std::string placeholder = "{{server}}";
    std::string result = text;
    for (auto at = result.find(placeholder); at != std::string::npos;
         at = result.find(placeholder, at + server->Url().size()))
        result.replace(at, placeholder.size(), server->Url());
    return result;
}

json Session::Substitute(const json& value) const
{
    if (value.is_string())
        return Substitute(value.get<std::string>());
    if (value.is_array() || value.is_object()) {
        json copy = value;
        for (auto& item : copy)
            item = Substitute(item);
        return copy;
    }
    return value;
}

SessionOutcome Session::Run(std::istream& script)
{
    SessionOutcome outcome;
    for (std::string line; std::getline(script, line);) {
        auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        json result;
        json action = KRV::ParseJson(line);
        if (action.is_discarded())
            result = {{"step", ++stepNumber}, {"error", "not a JSON line: " + line}};
        else
            result = Step(action);
        out << result.dump(-1, ' ', false, json::error_handler_t::replace) << std::endl;
        ++outcome.steps;
        if (result.contains("error"))
            ++outcome.failedSteps;
        if (result.contains("crash")) {
            outcome.crashed = true;
            break;
        }
    }
    return outcome;
}

json Session::Step(const json& action)
{
    json result;
    try {
        result = Do(action);
    } catch (const std::exception& e) {
        result = {{"error", e.what()}};
    }
    TakeStdout(result);
    result["step"] = ++stepNumber;
    if (action.is_object() && action.contains("do"))
        result["do"] = action["do"];
    const auto& escapes = sim::Host::Get().GetEscapedExceptions();
    if (escapes.size() > escapesSeen) {
        result["crash"] = "host crash: exception escaped " + escapes.back();
        escapesSeen = escapes.size();
    }
    return result;
}

json Session::Do(const json& action)
{
    if (!action.is_object() || !action.contains("do") || !action["do"].is_string())
        throw StepError("an action is an object with \"do\"");
    const std::string what = action["do"].get<std::string>();
    for (const Action& entry : Table())
        if (what == entry.name)
            return (this->*entry.handler)(Substitute(action));
    std::string known;
    for (const Action& entry : Table())
        known += (known.empty() ? "" : ", ") + std::string(entry.name);
    throw StepError("unknown action \"" + what + "\" (" + known + ")");
}

const std::vector<Session::DumpKind>& Session::DumpTable()
{
    static const std::vector<DumpKind> table = {
        {"log", "the lines of \"log.txt\"", &Session::DumpLog},
        {"debug", "the debug output", &Session::DumpDebug},
        {"alerts", "every alert shown, with its texts, buttons and answer", &Session::DumpAlerts},
        {"undo", "the undo step names", &Session::DumpUndo},
        {"project", "the project, as in a project file", &Session::DumpProject},
        {"opened", "the links handed to the system browser", &Session::DumpOpened},
        {"stdout", "every line the add-on wrote to standard output so far", &Session::DumpStdout},
        {"requests",
         "what the serve server received: method, path, headers, and each multipart part's name, file name, size "
         "and checksum",
         &Session::DumpRequests},
        {"database", "the current database and every switch made, in order", &Session::DumpDatabase},
        {"progress", "every call to the progress window in order, and whether it is open", &Session::DumpProgress},
        {"launched",
         "files made executable and started (\"chmod PATH\", \"start PATH\"; the stand-alone host starts nothing)",
         &Session::DumpLaunched},
    };
    return table;
}

std::vector<Session::ActionHelp> Session::Dumps()
{
    std::vector<ActionHelp> help;
    for (const DumpKind& kind : DumpTable())
        help.push_back({kind.name, kind.description});
    return help;
}

std::string Session::DumpNames()
{
    std::string names;
    for (const DumpKind& kind : DumpTable())
        names += (names.empty() ? "" : ", ") + std::string(kind.name);
    return names;
}

json Session::Dump(const std::string& what) const
{
    for (const DumpKind& kind : DumpTable())
        if (what == kind.name)
            return (this->*kind.show)();
    throw StepError("unknown dump \"" + what + "\" (" + DumpNames() + ")");
}

json Session::DumpLog() const
{
    json lines = json::array();
    std::ifstream file(sim::Host::Get().GetWorkFolder() / "log.txt");
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

json Session::DumpDebug() const
{
    return sim::Host::Get().GetDebugOutput();
}

json Session::DumpAlerts() const
{
    json alerts = json::array();
    for (const auto& a : sim::Host::Get().UI().alerts)
        alerts.push_back({{"kind", a.kind},
                          {"text", a.largeText},
                          {"detail", a.smallText},
                          {"buttons", a.buttons},
                          {"answer", a.answer}});
    return alerts;
}

json Session::DumpUndo() const
{
    return sim::Host::Get().GetProject().undo.Names();
}

json Session::DumpProject() const
{
    return sim::SaveProject(sim::Host::Get().GetProject());
}

json Session::DumpOpened() const
{
    return sim::Host::Get().UI().openedLinks;
}

json Session::DumpStdout() const
{
    return stdoutLines;
}

json Session::DumpRequests() const
{
    return server != nullptr ? server->Requests() : json::array();
}

json Session::DumpLaunched() const
{
    return sim::Host::Get().UI().launched;
}

json Session::DumpProgress() const
{
    sim::Host& host = sim::Host::Get();
    json calls = json::array();
    for (const sim::ProgressCall& call : host.UI().progress) {
        json j = {{"request", call.request}};
        if (call.request == "IPWD" || call.request == "SPRP") {
            j["text"] = call.text;
            j["number"] = call.number;
        }
        if (call.request == "CANC")
            j["cancelled"] = call.cancelled;
        calls.push_back(j);
    }
    return {{"calls", calls}, {"open", host.UI().progressOpen}};
}

json Session::DumpDatabase() const
{
    sim::Host& host = sim::Host::Get();
    return {{"current", host.GetProject().databases.Current().name},
            {"switches", host.GetProject().databases.Switches()}};
}

void Session::TakeStdout(json& line)
{
    if (stdoutCapture == nullptr)
        return;
    const std::string text = stdoutCapture->Take();
    if (text.empty())
        return;
    json lines = json::array();
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(from, end - from));
        stdoutLines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    line["stdout"] = lines;
}

} // namespace korvel_host
