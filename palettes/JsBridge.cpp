// Argument conversion and the replies the bridge builds itself.
#include "JsBridge.hpp"

#include "BrowserPalette.hpp"
#include "BulkImport.hpp"
#include "CatchAll.hpp"
#include "ElementEvents.hpp"
#include "Environment.hpp"
#include "JsonText.hpp"
#include "Logger.hpp"
#include "Names.hpp"
#include "OSUtils.hpp"
#include "SelfUpdate.hpp"
#include "TakeOffRequest.hpp"

namespace KRV {

GS::UniString GetStringFromJsVariable(GS::Ref<DG::JSBase> argument)
{
    if (argument == nullptr)
        return GS::UniString();
    GS::Ref<DG::JSValue> value = GS::CheckedCast<DG::JSValue>(argument);
    return value->GetType() == DG::JSValue::STRING ? value->GetString() : GS::UniString();
}

GS::Array<GS::UniString>* ConvertJsArrayToUniStringArray(GS::Ref<DG::JSBase> argument)
{
    if (argument == nullptr)
        return nullptr;
    GS::Ref<DG::JSArray> array = GS::CheckedCast<DG::JSArray>(argument);
    auto result = std::make_unique<GS::Array<GS::UniString>>();
    for (const GS::Ref<DG::JSBase>& item : array->GetItemArray()) {
        if (item == nullptr)
            throw GS::NullReferenceException();
        result->Push(GS::CheckedCast<DG::JSValue>(item)->GetString());
    }
    return result.release();
}

GS::UniString ReturnStatus(bool showError, bool isError)
{
    json status = json::object();
    status["ShowError"] = showError;
    status["IsError"] = isError;
    return GS::UniString(status.dump(-1, ' ', false));
}

GS::UniString PlatformReply()
{
    json reply = json::object();
    reply["installer_version"] = BrowserPalette::addOnVersion;
    reply["os"] = "macos";
    reply["platform_type"] = 0;
    reply["version"] = port::HostGeneration();
    return GS::UniString(reply.dump(-1, ' ', false));
}

namespace {

using Reply = GS::Ref<DG::JSBase>;

Reply Text(const GS::UniString& text)
{
    return Reply(new DG::JSValue(text));
}

// The text as the host's narrow default encoding gives it back.
GS::UniString Narrowed(const GS::UniString& text)
{
    // The narrow text ends at a NUL character: what follows it never reaches the import.
    const std::string utf8 = text.ToUtf8();
    if (const auto nul = utf8.find('\0'); nul != std::string::npos)
        LogWarning("The page's text holds a NUL character at byte " + std::to_string(nul) + "; the " +
                   std::to_string(utf8.size() - nul - 1) + " bytes after it are left out.");
    return GS::UniString(text.ToCStr().Get());
}

// A function of the page's object: whatever goes wrong inside is logged and answered as
// the function's own failure (`showError` as its status replies have it), never thrown
// into the host.
GS::Ref<DG::JSFunction> Function(const char* name, std::function<Reply(Reply)> body, bool showError = true)
{
    std::string where = std::string("jsKorvelInterface.") + name;
    return GS::Ref<DG::JSFunction>(new DG::JSFunction(name, [where, body, showError](Reply argument) {
        return CatchAll<Reply>(
            where.c_str(), [&] { return body(argument); }, Text(ReturnStatus(showError, true)));
    }));
}

Reply ImportWithNullCheck(Reply argument)
{
    if (argument == nullptr)
        return Reply(new DG::JSValue(0));
    bool imported = BrowserPalette::Import(Narrowed(GetStringFromJsVariable(argument)));
    return Text(ReturnStatus(true, !imported));
}

Reply ReplaceImport(Reply argument)
{
    bool imported = BrowserPalette::Import(Narrowed(GetStringFromJsVariable(argument)));
    return Text(ReturnStatus(false, !imported));
}

Reply Platform(Reply)
{
    return Text(PlatformReply());
}

Reply UpdateStatus(Reply argument)
{
    GS::UniString text = GetStringFromJsVariable(argument);
    if (!BrowserPalette::Export(text))
        return Text(ReturnStatus(true, true));
    return Text(text);
}

Reply CalculationData(Reply argument)
{
    GS::UniString text = GetStringFromJsVariable(argument);
    // What the refresh reads (materials, composites, walls, slabs and roofs) is not read
    // again by the take-off.
    const TakeOffRequest request;
    ObserveElementsLeftUnobserved();
    UpdateAttributesUserData();
    if (!BrowserPalette::ExportCalculations(text))
        return Text(ReturnStatus(true, true));
    return Text(text);
}

Reply OpenExternalLink(Reply argument)
{
    GS::UniString address = GetStringFromJsVariable(argument);
    bool opened = net::IsOpenableLink(address.ToUtf8()) && OSUtils::OpenWithDefaultBrowser(address);
    return Text(ReturnStatus(false, !opened));
}

Reply BulkImportRequest(Reply argument)
{
    if (argument == nullptr)
        return Text("[]");
    GS::UniString request = Narrowed(GetStringFromJsVariable(argument));
    json result = BulkImport(request).Import();
    return Text(JsonToText(result));
}

Reply ExportIfc(Reply argument)
{
    GS::Ref<GS::Array<GS::UniString>> args(ConvertJsArrayToUniStringArray(argument));
    bool exported = BrowserPalette::ExportIFC(args);
    return Text(ReturnStatus(true, !exported));
}

Reply Update(Reply argument)
{
    bool updated = SelfUpdate(GetStringFromJsVariable(argument)).Update();
    return Text(ReturnStatus(true, !updated));
}

} // namespace

const std::vector<BridgeFunction>& BridgeFunctions()
{
    static const std::vector<BridgeFunction> functions = {
        {"import", "imports the catalogue item of an import envelope", ImportWithNullCheck, true},
        {"platform", "answers the installer's version, the system and the host's version", Platform, true},
        {"updateStatus", "answers which of the page's listed items the project holds in an older version", UpdateStatus,
         true},
        {"update", "imports an import envelope, as import does", ImportWithNullCheck, true},
        {"getCalculationData", "refreshes the stored values of the materials in use, then answers the take-off",
         CalculationData, true},
        {"replaceMaterialUsedInConstructionSystem", "imports an import envelope; its failure is not shown",
         ReplaceImport, false},
        {"replaceSystem", "imports an import envelope; its failure is not shown", ReplaceImport, false},
        {"openExternalLink", "opens an http, https or mailto address in the system's browser", OpenExternalLink, false},
        {"bulkImport", "imports a list of items, answering a result per item", BulkImportRequest, true},
        {"export", "exports the project as IFC and uploads it to the address given", ExportIfc, true},
        {"selfUpdate", "downloads the add-on's installer from the address given and starts it", Update, true},
    };
    return functions;
}

void BrowserPalette::RegisterACAPIJavaScriptObject()
{
    GS::Ref<DG::JSObject> object(new DG::JSObject("jsKorvelInterface"));
    for (const BridgeFunction& function : BridgeFunctions())
        object->AddItem(Function(function.name, function.handler, function.showError));
    browser.RegisterAsynchJSObject(object);
}

} // namespace KRV
