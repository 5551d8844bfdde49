// What a person does in the application, with the notifications the add-on would get.
#include "UserActions.hpp"

#include <filesystem>

#include "APIErrors.h"
#include "Edge.hpp"
#include "Host.hpp"
#include "IOLocation.hpp"

namespace sim::user {

LoadResult LoadAddOn(const API_AddOnImage& image)
{
    Host& host = Host::Get();
    LoadResult result;
    host.AddOn() = AddOnSlot();
    host.AddOn().image = image;
    result.type = host.CallAddOn<API_AddonType>(
        "CheckEnvironment", [&] { return image.checkEnvironment(&host.AddOn().environment); }, APIAddon_DontRegister);
    if (result.type == APIAddon_DontRegister)
        return result;
    result.registerCode = host.CallAddOn<GSErrCode>("RegisterInterface", image.registerInterface, APIERR_GENERAL);
    if (result.registerCode != NoError)
        return result;
    result.initializeCode = host.CallAddOn<GSErrCode>("Initialize", image.initialize, APIERR_GENERAL);
    result.loaded = result.initializeCode == NoError;
    host.AddOn().loaded = result.loaded;
    return result;
}

GSErrCode UnloadAddOn()
{
    Host& host = Host::Get();
    if (!host.AddOn().loaded)
        return APIERR_GENERAL;
    GSErrCode code = host.CallAddOn<GSErrCode>("FreeData", host.AddOn().image.freeData, APIERR_GENERAL);
    host.AddOn().loaded = false;
    return code;
}

GSErrCode ChooseMenu(short menuResID, short item)
{
    auto& handlers = Host::Get().AddOn().menuHandlers;
    auto it = handlers.find(menuResID);
    if (it == handlers.end())
        return APIERR_BADPARS;
    API_MenuParams params{{menuResID, item}};
    return Host::Get().CallAddOn<GSErrCode>(
        "MenuCommandHandler", [&] { return it->second(&params); }, APIERR_GENERAL);
}

void SendProjectEvent(API_NotifyEventID event)
{
    auto& addOn = Host::Get().AddOn();
    if (addOn.projectEventHandler == nullptr || (addOn.projectEventMask & event) == 0)
        return;
    auto* handler = addOn.projectEventHandler;
    Host::Get().CallAddOn<GSErrCode>(
        "ProjectEventHandler", [&] { return handler(event, 0); }, APIERR_GENERAL);
}

DG::Palette* FindPalette(const GS::Guid& guid)
{
    for (DG::Palette* palette : Host::Get().UI().palettes)
        if (palette->GetGuid() == guid)
            return palette;
    return nullptr;
}

static const ModelessWindow* FindWindow(const GS::Guid& guid)
{
    for (const auto& [id, window] : Host::Get().AddOn().modelessWindows)
        if (APIGuid2GSGuid(window.guid) == guid)
            return &window;
    return nullptr;
}

// Delivers a control message to the palette registered under `guid`.
static GSErrCode Deliver(const GS::Guid& guid, API_PaletteMessageID message, bool* visible)
{
    const ModelessWindow* window = FindWindow(guid);
    if (window == nullptr)
        return APIERR_BADPARS;
    ModelessWindow copy = *window;
    return Host::Get().CallAddOn<GSErrCode>(
        "PaletteControlCallBack",
        [&] { return copy.callback(copy.referenceID, message, reinterpret_cast<GS::IntPtr>(visible)); },
        APIERR_GENERAL);
}

GSErrCode SendPaletteMessage(const GS::Guid& guid, API_PaletteMessageID message)
{
    bool visible = false;
    return Deliver(guid, message, &visible);
}

bool AskPaletteVisible(const GS::Guid& guid)
{
    bool visible = false;
    Deliver(guid, APIPalMsg_IsPaletteVisible, &visible);
    return visible;
}

bool ClosePalette(const GS::Guid& guid)
{
    DG::Palette* palette = FindPalette(guid);
    if (palette == nullptr)
        return false;
    bool accepted = false;
    DG::PanelCloseRequestEvent ev(palette);
    auto observers = palette->GetObservers();
    Host::Get().CallAddOn("PanelCloseRequested", [&] {
        for (DG::PanelObserver* observer : observers)
            observer->PanelCloseRequested(ev, &accepted);
    });
    return accepted;
}

void ResizePalette(const GS::Guid& guid, short hGrow, short vGrow)
{
    DG::Palette* palette = FindPalette(guid);
    if (palette == nullptr)
        return;
    DG::PanelResizeEvent ev(palette, hGrow, vGrow);
    auto observers = palette->GetObservers();
    Host::Get().CallAddOn("PanelResized", [&] {
        for (DG::PanelObserver* observer : observers)
            observer->PanelResized(ev);
    });
}

bool ClickButton(const GS::Guid& guid, short item)
{
    DG::Palette* palette = FindPalette(guid);
    if (palette == nullptr)
        return false;
    for (DG::Item* candidate : palette->GetItems()) {
        auto* button = dynamic_cast<DG::ButtonItem*>(candidate);
        if (button != nullptr && button->GetId() == item && button->IsEnabled()) {
            Host::Get().CallAddOn("ButtonClicked", [&] { button->Click(); });
            return true;
        }
    }
    return false;
}

GSErrCode DropFile(const std::string& path, FileArrival how)
{
    auto& addOn = Host::Get().AddOn();
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty())
        extension = extension.substr(1);
    for (const auto& type : addOn.fileTypes) {
        if (type.extension != extension || (type.methodFlags & sim::SupportedFlag(how == FileArrival::dropped)) == 0)
            continue;
        auto it = addOn.fileTypeHandlers.find(static_cast<GSType>(type.refCon));
        if (it == addOn.fileTypeHandlers.end())
            continue;
        IO::Location location{GS::UniString(path)};
        API_IOParams params = sim::FileParams(type.refCon, how == FileArrival::dropped, &location);
        auto* handler = it->second;
        return Host::Get().CallAddOn<GSErrCode>(
            "FileTypeHandler", [&] { return handler(&params); }, APIERR_GENERAL);
    }
    return APIERR_BADPARS;
}

GS::Ref<DG::JSBase> CallJS(const std::string& object, const std::string& function, GS::Ref<DG::JSBase> argument,
                           bool* found)
{
    if (found != nullptr)
        *found = false;
    for (DG::BrowserBase* browser : Host::Get().UI().browsers) {
        for (const auto& jsObject : browser->GetJSObjects()) {
            if (jsObject->GetName() != object.c_str())
                continue;
            for (const auto& item : jsObject->GetItemArray()) {
                auto fn = GS::DynamicCast<DG::JSFunction>(item);
                if (fn == nullptr || fn->GetName() != function.c_str())
                    continue;
                if (found != nullptr)
                    *found = true;
                return Host::Get().CallAddOn<GS::Ref<DG::JSBase>>(
                    object + "." + function, [&] { return fn->Call(argument); }, GS::Ref<DG::JSBase>());
            }
        }
    }
    return GS::Ref<DG::JSBase>();
}

} // namespace sim::user
