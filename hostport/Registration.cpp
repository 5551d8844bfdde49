// Registration and installed handlers, as generation 26 takes them: the host's records are
// turned into the add-on's terms by small handlers of the port's own.
#include "Registration.hpp"

#include <map>

#include "ACAPinc.h"
#include "CatchAll.hpp"
#include "IOLocation.hpp"

namespace KRV::port {

namespace {

std::map<short, MenuHandler>& MenuHandlers()
{
    static std::map<short, MenuHandler> handlers;
    return handlers;
}
std::map<Int32, PaletteCallback>& PaletteCallbacks()
{
    static std::map<Int32, PaletteCallback> callbacks;
    return callbacks;
}
FileHandler fileHandler = nullptr; // the add-on has one file type
ProjectEventHandler projectEventHandler = nullptr;

GSErrCode OnMenu(const API_MenuParams* params)
{
    auto found = MenuHandlers().find(params->menuItemRef.menuResID);
    return found != MenuHandlers().end() ? found->second(params->menuItemRef.menuResID, params->menuItemRef.itemIndex)
                                         : NoError;
}

GSErrCode OnFile(const API_IOParams* params)
{
    if (fileHandler == nullptr)
        return NoError;
    return CatchAll<GSErrCode>(
        "DragNDropHandler",
        [&] {
            GS::UniString path;
            const bool hasFile = params != nullptr && params->fileLoc != nullptr;
            if (hasFile)
                params->fileLoc->ToPath(&path);
#if KORVEL_HOST_GENERATION >= 29
            // A drop on a drawing window comes as a merge marked as dragged and dropped.
            const bool dropped = hasFile && params->fromDragDrop;
#else
            const bool dropped = hasFile && params->method == IO_DROP;
#endif
            return fileHandler(path, dropped, hasFile);
        },
        NoError);
}

GSErrCode OnProjectEvent(API_NotifyEventID event, Int32 param)
{
    return projectEventHandler != nullptr
               ? projectEventHandler(event == APINotify_Quit ? ProjectEvent::quit : ProjectEvent::other, param)
               : NoError;
}

PaletteMessage MessageOf(API_PaletteMessageID message)
{
    switch (message) {
    case APIPalMsg_ClosePalette:
        return PaletteMessage::close;
    case APIPalMsg_HidePalette_Begin:
        return PaletteMessage::beginHide;
    case APIPalMsg_HidePalette_End:
        return PaletteMessage::endHide;
    case APIPalMsg_DisableItems_Begin:
        return PaletteMessage::beginDisable;
    case APIPalMsg_DisableItems_End:
        return PaletteMessage::endDisable;
    case APIPalMsg_OpenPalette:
        return PaletteMessage::open;
    case APIPalMsg_IsPaletteVisible:
        return PaletteMessage::isVisible;
    default:
        return PaletteMessage::other;
    }
}

GSErrCode OnPalette(Int32 referenceId, API_PaletteMessageID message, GS::IntPtr param)
{
    auto found = PaletteCallbacks().find(referenceId);
    return found != PaletteCallbacks().end() ? found->second(referenceId, MessageOf(message), param) : NoError;
}

} // namespace

GSErrCode RegisterService(GSType service, Int32 version)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_AddOnAddOnCommunication_RegisterSupportedService(service, version);
#else
    return ACAPI_Register_SupportedService(service, version);
#endif
}

GSErrCode RegisterMenu(short menuResId, short promptResId, Int32 menuPosition, GSFlags flags)
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_MenuItem_RegisterMenu(menuResId, promptResId, static_cast<APIMenuCodeID>(menuPosition), flags);
#else
    return ACAPI_Register_Menu(menuResId, promptResId, menuPosition, flags);
#endif
}

GSErrCode RegisterFileType(Int32 fileType, const char* extension, short descriptionResId)
{
    // Dropped files (and opened ones, which the handler leaves alone) of that extension.
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_AddOnIntegration_RegisterFileType(fileType, 0, 0, extension, 0, descriptionResId, 0,
                                                   Open2DSupported | Merge2DSupported | OpenLibPartSupported);
#else
    return ACAPI_Register_FileType(fileType, 0, 0, extension, 0, descriptionResId, 0,
                                   IO_OPEN | IO_DROP | IO_OPENLIBPART);
#endif
}

GSErrCode InstallMenuHandler(short menuResId, MenuHandler handler)
{
    MenuHandlers()[menuResId] = handler;
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_MenuItem_InstallMenuHandler(menuResId, OnMenu);
#else
    return ACAPI_Install_MenuHandler(menuResId, OnMenu);
#endif
}

GSErrCode InstallFileHandler(Int32 fileType, FileHandler handler)
{
    fileHandler = handler;
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_AddOnIntegration_InstallFileTypeHandler(fileType, OnFile);
#else
    return ACAPI_Install_FileTypeHandler(fileType, OnFile);
#endif
}

GSErrCode CatchProjectEvents(ProjectEvents events, ProjectEventHandler handler)
{
    projectEventHandler = handler;
    // Every event both generations name (their bits differ).
    const GSFlags all = APINotify_New | APINotify_NewAndReset | APINotify_Open | APINotify_PreSave | APINotify_Save |
                        APINotify_Close | APINotify_Quit | APINotify_SendChanges | APINotify_ChangeProjectDB |
                        APINotify_ChangeWindow | APINotify_ChangeFloor | APINotify_ChangeLibrary;
    const GSFlags mask = events == ProjectEvents::quit ? APINotify_Quit : all;
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_ProjectOperation_CatchProjectEvent(mask, OnProjectEvent);
#else
    return ACAPI_Notify_CatchProjectEvent(mask, OnProjectEvent);
#endif
}

GSErrCode RegisterPalette(Int32 referenceId, PaletteCallback callback, const API_Guid& guid)
{
    PaletteCallbacks()[referenceId] = callback;
    return ACAPI_RegisterModelessWindow(referenceId, OnPalette, 1015, guid);
}

void KeepInMemory(bool keep)
{
    ACAPI_KeepInMemory(keep);
}

GSResModule OwnResources()
{
    return ACAPI_GetOwnResModule();
}

bool ResourceString(GS::UniString& text, short resId, short index)
{
    return RSGetIndString(&text, resId, index, ACAPI_GetOwnResModule());
}

} // namespace KRV::port
