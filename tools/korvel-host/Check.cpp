// korvel-host check: runs a catalogue payload as the page would, and says what it did.
#include "Check.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <unistd.h>

#include "Host.hpp"
#include "JsonText.hpp"
#include "LoopbackServer.hpp"
#include "PayloadRules.hpp"
#include "ProjectFile.hpp"
#include "Session.hpp"
#include "StdoutCapture.hpp"

namespace korvel_host {

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

std::string Dump(const json& value)
{
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

bool ReadFile(const fs::path& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

// A folder of its own for the host's log and special folders, removed afterwards, so the
// check leaves no file behind.
class ScratchFolder {
public:
    ScratchFolder() : previous(fs::current_path())
    {
        std::string pattern = (fs::temp_directory_path() / "korvel-check-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::current_path(previous, ignored);
        if (!path.empty())
            fs::remove_all(path, ignored);
    }
    fs::path path;

private:
    fs::path previous;
};

// The sections of a saved project, what one entry of each is called, and how entries are
// matched between before and after.
struct Section {
    const char* member;
    const char* label;
    const char* key;
};

const Section sections[] = {
    {"propertyGroups", "property group", "guid"},
    {"propertyDefinitions", "property definition", "guid"},
    {"classificationSystems", "classification system", "guid"},
    {"buildingMaterials", "building material", "guid"},
    {"composites", "composite", "guid"},
    {"profiles", "profile", "guid"},
    {"libraryParts", "library part", "uniqueId"},
    {"elements", "element", "guid"},
};

// Names for the guids a project refers to: property definitions ("Group / Name") and
// classification items ("System / id").
struct Names {
    std::map<std::string, std::string> definitions;
    std::map<std::string, std::size_t> definitionOrder;
    std::map<std::string, std::string> systems;
    std::map<std::string, std::string> items;

    explicit Names(const json& project)
    {
        std::map<std::string, std::string> groups;
        for (const json& group : project.value("propertyGroups", json::array()))
            groups[group.value("guid", "")] = group.value("name", "");
        for (const json& definition : project.value("propertyDefinitions", json::array())) {
            const std::string guid = definition.value("guid", "");
            definitions[guid] = groups[definition.value("group", "")] + " / " + definition.value("name", "");
            definitionOrder.emplace(guid, definitionOrder.size());
        }
        for (const json& system : project.value("classificationSystems", json::array())) {
            systems[system.value("guid", "")] = system.value("name", "");
            AddItems(system.value("items", json::array()));
        }
    }

    void AddItems(const json& list)
    {
        for (const json& item : list) {
            items[item.value("guid", "")] = item.value("id", "");
            AddItems(item.value("children", json::array()));
        }
    }

    static std::string Find(const std::map<std::string, std::string>& names, const std::string& guid)
    {
        auto found = names.find(guid);
        return found != names.end() ? found->second : guid;
    }
};

std::string EntryName(const json& entry)
{
    if (entry.contains("name") && entry["name"].is_string())
        return entry["name"].get<std::string>();
    if (entry.contains("type"))
        return entry.value("type", "") + " " + entry.value("guid", "");
    return entry.value("guid", "");
}

// An entry's catalogue data, in words: properties by group and name, classification by
// system and item, the stored text.
void Describe(const json& entry, const Names& names, json& change)
{
    if (entry.contains("properties") && entry["properties"].is_object() && !entry["properties"].empty()) {
        // In the order the definitions were made, which is the order of the payload.
        std::vector<std::pair<std::size_t, std::string>> order;
        for (const auto& [guid, value] : entry["properties"].items()) {
            auto found = names.definitionOrder.find(guid);
            order.emplace_back(found != names.definitionOrder.end() ? found->second : SIZE_MAX, guid);
        }
        std::stable_sort(order.begin(), order.end());
        json properties = json::array();
        for (const auto& [unused, guid] : order) {
            const json& value = entry["properties"][guid];
            const std::string name = Names::Find(names.definitions, guid);
            const auto slash = name.find(" / ");
            properties.push_back({{"group", slash == std::string::npos ? "" : name.substr(0, slash)},
                                  {"name", slash == std::string::npos ? name : name.substr(slash + 3)},
                                  {"value", value}});
        }
        change["properties"] = properties;
    }
    if (entry.contains("classification") && entry["classification"].is_array() && !entry["classification"].empty()) {
        json classification = json::array();
        for (const json& pair : entry["classification"])
            classification.push_back({{"system", Names::Find(names.systems, pair.value("system", ""))},
                                      {"item", Names::Find(names.items, pair.value("item", ""))}});
        change["classification"] = classification;
    }
    if (entry.contains("userData"))
        change["storedData"] = entry["userData"];
}

void CompareSection(const Section& section, const json& before, const json& after, const Names& names, json& changes)
{
    const json empty = json::array();
    const json& old = before.contains(section.member) ? before[section.member] : empty;
    const json& now = after.contains(section.member) ? after[section.member] : empty;
    std::map<std::string, const json*> oldByKey;
    for (const json& entry : old)
        oldByKey[entry.value(section.key, "")] = &entry;
    std::map<std::string, bool> seen;
    for (const json& entry : now) {
        const std::string key = entry.value(section.key, "");
        seen[key] = true;
        auto found = oldByKey.find(key);
        if (found == oldByKey.end()) {
            json change = {{"action", "created"}, {"kind", section.label}, {"name", EntryName(entry)}};
            if (std::string(section.member) == "propertyDefinitions")
                change["name"] = Names::Find(names.definitions, key);
            Describe(entry, names, change);
            changes.push_back(change);
            continue;
        }
        if (*found->second == entry)
            continue;
        json change = {{"action", "changed"}, {"kind", section.label}, {"name", EntryName(entry)}};
        json members = json::object();
        for (const auto& [member, value] : entry.items())
            if (!found->second->contains(member) || (*found->second)[member] != value)
                members[member] = {{"before", found->second->value(member, json())}, {"after", value}};
        for (const auto& [member, value] : found->second->items())
            if (!entry.contains(member))
                members[member] = {{"before", value}, {"after", nullptr}};
        change["members"] = members;
        Describe(entry, names, change);
        changes.push_back(change);
    }
    for (const json& entry : old)
        if (!seen.count(entry.value(section.key, "")))
            changes.push_back({{"action", "removed"}, {"kind", section.label}, {"name", EntryName(entry)}});
}

} // namespace

json ProjectChanges(const json& before, const json& after)
{
    json changes = json::array();
    const Names names(after);
    for (const Section& section : sections)
        CompareSection(section, before, after, names, changes);
    const json none = json::object();
    const json& oldData = before.contains("addOnData") ? before["addOnData"] : none;
    const json& newData = after.contains("addOnData") ? after["addOnData"] : none;
    for (const auto& [key, text] : newData.items())
        if (!oldData.contains(key))
            changes.push_back({{"action", "created"}, {"kind", "add-on data"}, {"name", key}, {"storedData", text}});
        else if (oldData[key] != text)
            changes.push_back({{"action", "changed"}, {"kind", "add-on data"}, {"name", key}, {"storedData", text}});
    for (const auto& [key, text] : oldData.items())
        if (!newData.contains(key))
            changes.push_back({{"action", "removed"}, {"kind", "add-on data"}, {"name", key}});
    if (before.value("name", "") != after.value("name", ""))
        changes.push_back({{"action", "changed"},
                           {"kind", "project"},
                           {"name", after.value("name", "")},
                           {"members", {{"name", {{"before", before.value("name", "")}, {"after", after["name"]}}}}}});
    return changes;
}

int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err)
{
    std::string payload;
    if (!ReadFile(fs::absolute(options.payload), payload)) {
        err << "korvel-host check: cannot read the payload " << options.payload << "\n";
        return 2;
    }
    json project = json::object();
    if (options.project) {
        std::string text;
        if (!ReadFile(fs::absolute(*options.project), text) || (project = KRV::ParseJson(text)).is_discarded()) {
            err << "korvel-host check: cannot read the project " << *options.project << "\n";
            return 2;
        }
    }
    // A payload that names the catalogue's file server gets the address of one serving --serve.
    std::unique_ptr<korvel_loopback::LoopbackServer> server;
    const std::string placeholder = "{{server}}";
    const bool namesServer = payload.find(placeholder) != std::string::npos;
    if (options.serve) {
        std::error_code ignored;
        if (!fs::is_directory(*options.serve, ignored)) {
            err << "korvel-host check: no folder " << options.serve->string() << " to serve\n";
            return 2;
        }
        server = std::make_unique<korvel_loopback::LoopbackServer>(fs::absolute(*options.serve));
        for (auto at = payload.find(placeholder); at != std::string::npos;
             at = payload.find(placeholder, at + server->Url().size()))
            payload.replace(at, placeholder.size(), server->Url());
    }
    // An array is what the page hands "bulkImport"; anything else goes to "import", which
    // reports what it cannot read.
    const json parsed = KRV::ParseJson(payload);
    const auto first = payload.find_first_not_of(" \t\r\n");
    const bool list = parsed.is_discarded() ? first != std::string::npos && payload[first] == '[' : parsed.is_array();
    const std::string function = list ? "bulkImport" : "import";

    json report = {{"payload", options.payload.filename().string()}, {"function", function}};
    {
        ScratchFolder scratch;
        if (scratch.path.empty()) {
            err << "korvel-host check: cannot make a temporary folder\n";
            return 2;
        }
        sim::Host& host = sim::Host::Get();
        try {
            host.SetProject(sim::LoadProject(project));
        } catch (const std::exception& e) {
            err << "korvel-host check: " << options.project->string() << ": " << e.what() << "\n";
            return 2;
        }
        host.SetWorkFolder(scratch.path);
        // Every question is answered "Continue" where it offers that, else with its first button.
        host.UI().askAlert = [](const sim::AlertRecord& alert) -> short {
            for (std::size_t i = 0; i < alert.buttons.size(); ++i)
                if (alert.buttons[i] == "Continue")
                    return static_cast<short>(i + 1);
            return 1;
        };
        const json before = sim::SaveProject(host.GetProject());

        StdoutCapture capture;
        std::ostringstream steps;
        Session session(steps, scratch.path);
        session.CaptureStdout(&capture);
        if (!session.LoadAddOn()) {
            err << "korvel-host check: the add-on did not load\n";
            return 2;
        }
        session.Step({{"do", "menu"}, {"id", 32500}, {"item", 1}});
        const json step = session.Step({{"do", "js"}, {"fn", function}, {"arg", payload}});
        const json after = sim::SaveProject(host.GetProject());

        json reply = step.value("reply", json());
        if (reply.is_string()) {
            json decoded = KRV::ParseJson(reply.get<std::string>());
            if (!decoded.is_discarded())
                reply = decoded;
        }
        report["reply"] = reply;
        report["succeeded"] = !step.contains("crash") && !step.contains("error") && Succeeded(function, reply);
        const json log = session.Step({{"do", "dump"}, {"what", "log"}}).value("result", json::array());
        if (!report["succeeded"].get<bool>()) {
            // The add-on's log line stays what it is; the payload's shape says more where it can.
            json error = WhyItFailed(payload, function == "bulkImport", log, 0);
            // Each failed item is listed with its own reason below; the first one stands here,
            // its message, detail and member all its own.
            json itemReasons = json::object();
            if (error.contains("items")) {
                const json first = error["items"][0];
                for (const char* key : {"message", "detail", "member"})
                    if (first.contains(key))
                        error[key] = first[key];
                    else
                        error.erase(key);
                if (!error.contains("message"))
                    error["message"] = "item " + std::to_string(first["index"].get<std::size_t>()) + ": " +
                                       first.value("detail", std::string("failed"));
                for (const json& item : error["items"])
                    itemReasons[std::to_string(item["index"].get<std::size_t>())] = item;
                error.erase("items");
            }
            if (step.contains("crash"))
                error["message"] = step["crash"];
            else if (!error.contains("message"))
                error["message"] = "the add-on answered " + Dump(reply) + " without logging why";
            if (namesServer && !server)
                error["hint"] = "the payload names {{server}}, the address of the catalogue's file server: give "
                                "--serve DIR to serve that folder's files there";
            report["error"] = error;
            if (function == "bulkImport" && reply.is_array()) {
                json failed = json::array();
                for (std::size_t i = 0; i < reply.size(); ++i)
                    if (reply[i].is_object() && reply[i].value("status", "") == "failed") {
                        json item = {{"index", i}, {"id", reply[i]["id"]}, {"name", reply[i]["name"]}};
                        if (itemReasons.contains(std::to_string(i)))
                            item.update(itemReasons[std::to_string(i)]);
                        failed.push_back(item);
                    }
                report["failedItems"] = failed;
            }
        }
        // A payload that fails says why above; one that imports may still bring nothing.
        json warnings = json::array();
        if (report["succeeded"].get<bool>())
            for (const std::string& warning : PayloadWarnings(parsed, function == "bulkImport"))
                warnings.push_back(warning);
        if (!warnings.empty())
            report["warnings"] = warnings;
        report["changes"] = ProjectChanges(before, after);
        json undo = json::array();
        const json& oldUndo = before.value("undo", json::array());
        const json& newUndo = after.value("undo", json::array());
        for (std::size_t i = oldUndo.size(); i < newUndo.size(); ++i)
            undo.push_back(newUndo[i]);
        report["undo"] = undo;
        // The questions as the host recorded them, each answer given by its button's text.
        json questions = session.Step({{"do", "dump"}, {"what", "alerts"}}).value("result", json::array());
        for (json& question : questions) {
            const auto answer = question["answer"].get<std::size_t>();
            const json& buttons = question["buttons"];
            question["answer"] = answer >= 1 && answer <= buttons.size() ? buttons[answer - 1] : json("");
        }
        report["questions"] = questions;
        report["log"] = log;
    }
    out << (options.json ? report.dump(2, ' ', false, json::error_handler_t::replace) + "\n"
                         : FormatCheckReport(report));
    if (!report["succeeded"].get<bool>())
        return 1;
    return options.strict && report.contains("warnings") ? 1 : 0;
}

std::string FormatCheckReport(const json& report)
{
    std::ostringstream text;
    const bool succeeded = report.value("succeeded", false);
    text << report.value("payload", "") << " as \"" << report.value("function", "")
         << "\": " << (succeeded ? "succeeds" : "fails") << "\n";
    if (report.contains("error")) {
        text << "  reason: " << report["error"].value("message", "") << "\n";
        if (report["error"].contains("detail"))
            text << "  detail: " << report["error"]["detail"].get<std::string>() << "\n";
        if (report["error"].contains("member"))
            text << "  member: " << report["error"]["member"].get<std::string>() << "\n";
        if (report["error"].contains("hint"))
            text << "  hint: " << report["error"]["hint"].get<std::string>() << "\n";
    }
    for (const json& warning : report.value("warnings", json::array()))
        text << "  warning: " << warning.get<std::string>() << "\n";
    for (const json& item : report.value("failedItems", json::array()))
        text << "  failed item " << item["index"].get<std::size_t>() << ": " << Dump(item["name"]) << " (id "
             << Dump(item["id"]) << ")" << (item.contains("detail") ? ": " + item["detail"].get<std::string>() : "")
             << (item.contains("member") ? " (" + item["member"].get<std::string>() + ")" : "") << "\n";
    text << "  reply: " << Dump(report.value("reply", json())) << "\n";
    const json& changes = report.value("changes", json::array());
    text << "\nChanges to the project" << (changes.empty() ? ": none" : ":") << "\n";
    for (const json& change : changes) {
        text << "  " << change.value("action", "") << " " << change.value("kind", "") << " \""
             << change.value("name", "") << "\"\n";
        if (change.contains("members"))
            for (const auto& [member, values] : change["members"].items())
                if (member != "properties" && member != "classification" && member != "userData")
                    text << "    " << member << ": " << Dump(values["before"]) << " -> " << Dump(values["after"])
                         << "\n";
        if (change.contains("properties")) {
            text << "    properties:\n";
            for (const json& property : change["properties"])
                text << "      " << property.value("group", "") << " / " << property.value("name", "") << " = "
                     << Dump(property["value"]) << "\n";
        }
        if (change.contains("classification"))
            for (const json& pair : change["classification"])
                text << "    classification: " << pair.value("system", "") << " / " << pair.value("item", "") << "\n";
        if (change.contains("storedData"))
            text << "    stored data: "
                 << (change["storedData"].is_string() ? change["storedData"].get<std::string>()
                                                      : Dump(change["storedData"]))
                 << "\n";
    }
    const json& undo = report.value("undo", json::array());
    text << "\nUndo steps" << (undo.empty() ? ": none" : ":") << "\n";
    for (std::size_t i = 0; i < undo.size();) {
        std::size_t same = i;
        while (same < undo.size() && undo[same] == undo[i])
            ++same;
        text << "  " << undo[i].get<std::string>();
        if (same - i > 1)
            text << " (" << same - i << " times)";
        text << "\n";
        i = same;
    }
    const json& questions = report.value("questions", json::array());
    if (!questions.empty()) {
        text << "\nQuestions (answered \"Continue\"):\n";
        for (const json& question : questions) {
            std::string words =
                question.value("text", "").empty() ? question.value("detail", "") : question.value("text", "");
            std::replace(words.begin(), words.end(), '\n', ' ');
            text << "  " << question.value("kind", "") << ": " << words << " -> " << question.value("answer", "")
                 << "\n";
        }
    }
    const json& log = report.value("log", json::array());
    text << "\nLog" << (log.empty() ? ": empty" : ":") << "\n";
    for (const json& line : log)
        text << "  " << line.get<std::string>() << "\n";
    return text.str();
}

} // namespace korvel_host
