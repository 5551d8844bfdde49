// Registration and installation calls of the add-on.
#include "APIErrors.h"
#include "APIdefs_Registration.h"
#include "Calls.hpp"
#include "Host.hpp"
#include "Loader.hpp"

using sim::Host;

GSErrCode sim::calls::Register_SupportedService(GSType cmdID, Int32 cmdVersion)
{
    Host::Get().AddOn().services.emplace_back(cmdID, cmdVersion);
    return NoError;
}

GSErrCode sim::calls::Register_Menu(short menuStrResID, short promptStrResID, Int32 menuPosCode, GSFlags menuFlags)
{
    Host::Get().AddOn().menus.push_back({menuStrResID, promptStrResID, menuPosCode, menuFlags});
    return NoError;
}

GSErrCode sim::calls::Register_FileType(Int32 refCon, GSType, GSType, const char* extname, short, short descStrResID,
                                        short descStrResItemID, API_IOMethod methodFlags)
{
    if (extname == nullptr)
        return APIERR_BADPARS;
    Host::Get().AddOn().fileTypes.push_back({refCon, extname, descStrResID, descStrResItemID, methodFlags});
    return NoError;
}

GSErrCode sim::calls::Install_MenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc)
{
    auto& addOn = Host::Get().AddOn();
    bool registered = false;
    for (const auto& menu : addOn.menus)
        registered = registered || menu.menuStrResID == menuStrResID;
    if (!registered || handlerProc == nullptr)
        return APIERR_BADPARS;
    addOn.menuHandlers[menuStrResID] = handlerProc;
    return NoError;
}

GSErrCode sim::calls::Install_FileTypeHandler(GSType cmdID, APIIOCommandProc* handlerProc)
{
    auto& addOn = Host::Get().AddOn();
    bool registered = false;
    for (const auto& type : addOn.fileTypes)
        registered = registered || static_cast<GSType>(type.refCon) == cmdID;
    if (!registered || handlerProc == nullptr)
        return APIERR_BADPARS;
    addOn.fileTypeHandlers[cmdID] = handlerProc;
    return NoError;
}

GSErrCode sim::calls::Notify_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc)
{
    auto& addOn = Host::Get().AddOn();
    addOn.projectEventHandler = handlerProc;
    addOn.projectEventMask = handlerProc != nullptr ? eventTypes : 0;
    return NoError;
}

GSErrCode ACAPI_RegisterModelessWindow(Int32 referenceID, APIPaletteControlCallBackProc* callBackProc,
                                       GSFlags controlFlags, const API_Guid& guid)
{
    SIM_ENTER("ACAPI_RegisterModelessWindow");
    auto& windows = Host::Get().AddOn().modelessWindows;
    if (callBackProc == nullptr || windows.count(referenceID) != 0)
        return APIERR_BADPARS;
    windows[referenceID] = {referenceID, callBackProc, controlFlags, guid};
    return NoError;
}

GSErrCode ACAPI_UnregisterModelessWindow(Int32 referenceID)
{
    SIM_ENTER("ACAPI_UnregisterModelessWindow");
    return Host::Get().AddOn().modelessWindows.erase(referenceID) != 0 ? NoError : APIERR_BADPARS;
}

void ACAPI_KeepInMemory(bool keepInMemory)
{
    Host::Get().Enter("ACAPI_KeepInMemory");
    Host::Get().AddOn().keepInMemory = keepInMemory;
}

GSResModule ACAPI_GetOwnResModule()
{
    Host::Get().Enter("ACAPI_GetOwnResModule");
    return 1;
}

bool RSGetIndString(GS::UniString* string, short resID, short index, GSResModule resModule)
{
    Host::Get().Enter("RSGetIndString");
    const API_ResourceString* resources = Host::Get().AddOn().image.resources;
    if (string == nullptr || resModule != 1 || resources == nullptr)
        return false;
    for (const API_ResourceString* r = resources; r->text != nullptr; ++r) {
        if (r->resID == resID && r->index == index) {
            *string = GS::UniString(r->text);
            return true;
        }
    }
    return false;
}
