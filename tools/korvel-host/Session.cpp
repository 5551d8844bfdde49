#include "Session.hpp"

#include <fstream>
#include <iostream>
#include <sstream>

#include "AddOnMain.hpp"
#include "BrowserPalette.hpp"
#include "Host.hpp"
#include "Palette.hpp"
#include "ProjectFile.hpp"
#include "UserActions.hpp"

namespace korvel_host {

using nlohmann::json;

namespace {

struct StepError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const GS::Guid& PaletteGuid(const json& action)
{
    std::string which = action.value("which", "browser");
    if (which == "browser")
        return KRV::BrowserPalette::paletteGuid;
    if (which == "native")
        return KRV::Palette::paletteGuid;
    throw StepError("unknown palette \"" + which + "\" (browser or native)");
}

GS::Ref<DG::JSBase> ToJs(const json& value)
{
    switch (value.type()) {
    case json::value_t::string:
        return GS::Ref<DG::JSBase>(new DG::JSValue(GS::UniString(value.get<std::string>())));
    case json::value_t::boolean:
        return GS::Ref<DG::JSBase>(new DG::JSValue(value.get<bool>()));
    case json::value_t::number_integer:
    case json::value_t::number_unsigned:
        return GS::Ref<DG::JSBase>(new DG::JSValue(value.get<Int64>()));
    case json::value_t::number_float:
        return GS::Ref<DG::JSBase>(new DG::JSValue(value.get<double>()));
    case json::value_t::null:
        return GS::Ref<DG::JSBase>(); // the host passes JavaScript null as an empty reference
    case json::value_t::array: {
        auto array = GS::Ref<DG::JSArray>(new DG::JSArray());
        for (const json& item : value)
            array->AddItem(ToJs(item));
        return array;
    }
    default:
        return GS::Ref<DG::JSBase>(new DG::JSObject("object"));
    }
}

json FromJs(const GS::Ref<DG::JSBase>& reply)
{
    auto value = GS::DynamicCast<DG::JSValue>(reply);
    if (value == nullptr)
        return nullptr;
    switch (value->GetType()) {
    case DG::JSValue::STRING:
        return value->GetString().ToUtf8();
    case DG::JSValue::INTEGER:
        return value->GetInteger();
    case DG::JSValue::DOUBLE:
        return value->GetDouble();
    case DG::JSValue::BOOL:
        return value->GetBool();
    default:
        return nullptr;
    }
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        throw StepError("cannot read " + path.string());
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

json Session::Dump(const std::string& what) const
{
    sim::Host& host = sim::Host::Get();
    if (what == "log") {
        json lines = json::array();
        std::ifstream file(host.GetWorkFolder() / "log.txt");
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }
    if (what == "debug")
        return host.GetDebugOutput();
    if (what == "alerts") {
        json alerts = json::array();
        for (const auto& a : host.UI().alerts)
            alerts.push_back({{"kind", a.kind},
                              {"text", a.largeText},
                              {"detail", a.smallText},
                              {"buttons", a.buttons},
                              {"answer", a.answer}});
        return alerts;
    }
    if (what == "undo")
        return host.GetProject().undoSteps;
    if (what == "project")
        return sim::SaveProject(host.GetProject());
    if (what == "opened")
        return host.UI().openedLinks;
    if (what == "stdout")
        return stdoutLines;
    throw StepError("unknown dump \"" + what + "\" (log, debug, alerts, undo, project, opened, stdout)");
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

Session::Session(std::ostream& out, std::filesystem::path baseFolder) : out(out), baseFolder(std::move(baseFolder)) {}

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
    return p.is_absolute() ? p : baseFolder / p;
}

SessionOutcome Session::Run(std::istream& script)
{
    SessionOutcome outcome;
    for (std::string line; std::getline(script, line);) {
        auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        json result;
        json action = json::parse(line, nullptr, false);
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
    json result = json::object();

    if (what == "menu") {
        GSErrCode code = sim::user::ChooseMenu(action.at("id").get<short>(), action.value("item", short(1)));
        if (code != NoError)
            throw StepError("no such menu command");
    } else if (what == "palette") {
        const GS::Guid& guid = PaletteGuid(action);
        int message = action.at("message").get<int>();
        if (message < 1 || message > 7)
            throw StepError("palette messages are 1 to 7");
        if (message == APIPalMsg_IsPaletteVisible)
            result["visible"] = sim::user::AskPaletteVisible(guid);
        else if (sim::user::SendPaletteMessage(guid, static_cast<API_PaletteMessageID>(message)) != NoError)
            throw StepError("the palette is not registered");
    } else if (what == "click") {
        result["clicked"] = sim::user::ClickButton(PaletteGuid(action), action.value("item", short(1)));
    } else if (what == "close") {
        result["accepted"] = sim::user::ClosePalette(PaletteGuid(action));
    } else if (what == "event") {
        sim::user::SendProjectEvent(action.at("id").get<int>());
    } else if (what == "js") {
        const std::string fn = action.at("fn").get<std::string>();
        GS::Ref<DG::JSBase> argument;
        if (action.contains("argFile"))
            argument = ToJs(json(ReadText(Resolve(action["argFile"].get<std::string>()))));
        else if (action.contains("arg"))
            argument = ToJs(action["arg"]);
        bool found = false;
        GS::Ref<DG::JSBase> reply =
            sim::user::CallJS(action.value("object", "jsKorvelInterface"), fn, argument, &found);
        if (!found)
            throw StepError("no JavaScript function \"" + fn + "\" (is the browser palette open?)");
        result["fn"] = fn;
        result["reply"] = FromJs(reply);
    } else if (what == "drop") {
        std::filesystem::path file = Resolve(action.at("file").get<std::string>());
        if (sim::user::DropFile(file.string(), action.value("method", IO_DROP)) != NoError)
            throw StepError("no handler takes " + file.filename().string());
    } else if (what == "answer") {
        for (const json& button : action.at("buttons"))
            sim::Host::Get().UI().alertAnswers.push_back(button.get<short>());
    } else if (what == "dump") {
        std::string which = action.at("what").get<std::string>();
        result["what"] = which;
        result["result"] = Dump(which);
    } else if (what == "unload") {
        result["code"] = sim::user::UnloadAddOn();
    } else {
        throw StepError("unknown action \"" + what + "\"");
    }
    return result;
}

} // namespace korvel_host
