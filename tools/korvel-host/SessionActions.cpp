// The actions of a session line (the table is in Session.cpp).
#include "Session.hpp"

#include <fstream>
#include <iostream>
#include <sstream>

#include "AddOnMain.hpp"
#include "BrowserPalette.hpp"
#include "ElementActions.hpp"
#include "Host.hpp"
#include "JsonRead.hpp"
#include "JsonText.hpp"
#include "LoopbackServer.hpp"
#include "Palette.hpp"
#include "PayloadRules.hpp"
#include "ProjectFile.hpp"
#include "UserActions.hpp"

namespace korvel_host {

using nlohmann::json;

namespace {

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

API_Guid GuidIn(const json& action, const char* key)
{
    const std::string text = action.at(key).get<std::string>();
    GS::Guid guid;
    if (!guid.ConvertFromString(text.c_str()))
        throw StepError("\"" + text + "\" is not a guid");
    return GSGuid2APIGuid(guid);
}

std::string GuidText(const API_Guid& guid)
{
    return APIGuidToString(guid).ToUtf8();
}

} // namespace

json Session::Menu(const json& action)
{
    GSErrCode code =
        sim::user::ChooseMenu(sim::Integer<short>(action.at("id")), sim::Integer<short>(action, "item", 1));
    if (code != NoError)
        throw StepError("no such menu command");
    return json::object();
}

json Session::PaletteMessage(const json& action)
{
    json result = json::object();
    const GS::Guid& guid = PaletteGuid(action);
    int message = sim::Integer<int>(action.at("message"));
    if (message < 1 || message > 7)
        throw StepError("palette messages are 1 to 7");
    if (message == APIPalMsg_IsPaletteVisible)
        result["visible"] = sim::user::AskPaletteVisible(guid);
    else if (sim::user::SendPaletteMessage(guid, static_cast<API_PaletteMessageID>(message)) != NoError)
        throw StepError("the palette is not registered");
    return result;
}

json Session::Click(const json& action)
{
    return {{"clicked", sim::user::ClickButton(PaletteGuid(action), sim::Integer<short>(action, "item", 1))}};
}

json Session::Close(const json& action)
{
    return {{"accepted", sim::user::ClosePalette(PaletteGuid(action))}};
}

json Session::Event(const json& action)
{
    sim::user::SendProjectEvent(sim::Integer<int>(action.at("id")));
    return json::object();
}

json Session::Js(const json& action)
{
    const std::string fn = action.at("fn").get<std::string>();
    GS::Ref<DG::JSBase> argument;
    std::optional<std::string> text;
    if (action.contains("argFile"))
        text = Substitute(ReadText(Resolve(action["argFile"].get<std::string>())));
    else if (action.contains("arg") && action["arg"].is_string())
        text = action["arg"].get<std::string>();
    if (text)
        argument = ToJs(json(*text));
    else if (action.contains("arg"))
        argument = ToJs(action["arg"]);
    // The add-on logs a fixed line for a payload it cannot start on; the step line says why.
    const bool payloadCall = text && (fn == "import" || fn == "update" || fn == "bulkImport");
    const std::size_t logBefore = payloadCall ? Dump("log").size() : 0;
    bool found = false;
    GS::Ref<DG::JSBase> reply = sim::user::CallJS(action.value("object", "jsKorvelInterface"), fn, argument, &found);
    if (!found)
        throw StepError("no JavaScript function \"" + fn + "\" (is the browser palette open?)");
    json line = {{"fn", fn}, {"reply", FromJs(reply)}};
    if (payloadCall && line["reply"].is_string()) {
        const std::string replyText = line["reply"].get<std::string>();
        // An empty list comes back as the empty text.
        const json decoded = replyText.empty() && fn == "bulkImport" ? json::array() : KRV::ParseJson(replyText);
        if (!Succeeded(fn, decoded)) {
            json why = WhyItFailed(*text, fn == "bulkImport", Dump("log"), logBefore);
            if (!why.empty())
                line["why"] = why;
        }
    }
    return line;
}

json Session::Drop(const json& action)
{
    std::filesystem::path file = Resolve(action.at("file").get<std::string>());
    if (sim::user::DropFile(file.string(), sim::Integer<Int32>(action, "method", 2) == 1
                                               ? sim::user::FileArrival::opened
                                               : sim::user::FileArrival::dropped) != NoError)
        throw StepError("no handler takes " + file.filename().string());
    return json::object();
}

json Session::Answer(const json& action)
{
    for (const json& button : action.at("buttons"))
        sim::Host::Get().UI().alertAnswers.push_back(sim::Integer<short>(button));
    return json::object();
}

json Session::DumpStep(const json& action)
{
    std::string which = action.at("what").get<std::string>();
    return {{"what", which}, {"result", Dump(which)}};
}

json Session::Unload(const json&)
{
    return {{"code", sim::user::UnloadAddOn()}};
}

json Session::Serve(const json& action)
{
    const std::filesystem::path folder = Resolve(action.value("dir", "."));
    if (!std::filesystem::is_directory(folder))
        throw StepError("no folder " + folder.string() + " to serve");
    server = std::make_unique<korvel_loopback::LoopbackServer>(folder);
    if (action.contains("answers"))
        for (const auto& [path, answer] : action.at("answers").items())
            server->SetAnswer(path, answer.is_number() ? answer.dump() : answer.get<std::string>());
    return {{"url", server->Url()}};
}

json Session::Place(const json& action)
{
    std::optional<API_Guid> copyOf;
    if (action.contains("copyOf"))
        copyOf = GuidIn(action, "copyOf");
    return {{"guid", GuidText(sim::user::PlaceElement(action.at("element"), copyOf))}};
}

json Session::Copy(const json& action)
{
    return {{"guid", GuidText(sim::user::CopyElement(GuidIn(action, "guid")))}};
}

json Session::Change(const json& action)
{
    sim::user::ChangeElement(GuidIn(action, "guid"), action.at("set"));
    return json::object();
}

json Session::Edit(const json& action)
{
    sim::user::EditElement(GuidIn(action, "guid"));
    return json::object();
}

json Session::Delete(const json& action)
{
    sim::user::DeleteElement(GuidIn(action, "guid"));
    return json::object();
}

json Session::Rename(const json& action)
{
    sim::user::RenameElement(GuidIn(action, "guid"), action.at("name").get<std::string>());
    return json::object();
}

json Session::Notify(const json& action)
{
    std::optional<API_Guid> parent;
    if (action.contains("parent"))
        parent = GuidIn(action, "parent");
    sim::user::NotifyElement(GuidIn(action, "guid"), sim::Integer<int>(action.at("code")), parent);
    return json::object();
}

json Session::Database(const json& action)
{
    const std::string type = action.at("type").get<std::string>();
    const sim::DatabaseKind id =
        type == "floorplan" ? sim::DatabaseKind::floorPlan
        : type == "section" ? sim::DatabaseKind::section
        : type == "layout"  ? sim::DatabaseKind::layout
                            : throw StepError("unknown database \"" + type + "\" (floorplan, section, layout)");
    if (!sim::Host::Get().GetProject().databases.SwitchTo(id))
        throw StepError("the project has no " + type);
    return {{"current", sim::Host::Get().GetProject().databases.Current().name}};
}

json Session::Translators(const json& action)
{
    sim::Host::Get().GetProject().ifcTranslators.Replace(action.at("names").get<std::vector<std::string>>());
    return json::object();
}

json Session::Functions(const json&)
{
    return {{"objects", RegisteredObjects()}};
}

json Session::RegisteredObjects()
{
    json objects = json::object();
    for (DG::BrowserBase* browser : sim::Host::Get().UI().browsers)
        for (const auto& object : browser->GetJSObjects()) {
            json& functions = objects[object->GetName().ToUtf8()];
            if (!functions.is_array())
                functions = json::array();
            for (const auto& item : object->GetItemArray())
                if (auto fn = GS::DynamicCast<DG::JSFunction>(item); fn != nullptr)
                    functions.push_back(fn->GetName().ToUtf8());
        }
    return objects;
}

json Session::Cancel(const json& action)
{
    const int at = sim::Integer<int>(action, "at", 1);
    if (at < 1)
        throw StepError("\"at\" counts the progress window's questions from 1");
    sim::Host::Get().UI().cancelAt = at;
    return json::object();
}

} // namespace korvel_host
