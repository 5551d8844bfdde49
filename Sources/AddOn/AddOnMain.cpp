// The add-on's entry points, as the host finds them in its image.
#include "AddOnMain.hpp"

#include "APIErrors.h"

#include <fstream>
#include <sstream>

#include "BrowserPalette.hpp"
#include "CatchAll.hpp"
#include "ElementEvents.hpp"
#include "HostErrors.hpp"
#include "IOLocation.hpp"
#include "Palette.hpp"
#include "Resources.hpp"

namespace {

constexpr GSType korvelService = 0x004B5256; // 'KRV'
constexpr Int32 jsonFileType = 1;

} // namespace

API_AddonType CheckEnvironment(API_EnvirParams* envir)
{
    return KRV::CatchAll<API_AddonType>(
        "CheckEnvironment",
        [&] {
            GSResModule own = ACAPI_GetOwnResModule();
            RSGetIndString(&envir->addOnInfo.name, KRV::addOnInfoResId, 1, own);
            RSGetIndString(&envir->addOnInfo.description, KRV::addOnInfoResId, 2, own);
            return APIAddon_Normal;
        },
        APIAddon_DontRegister);
}

GSErrCode RegisterInterface()
{
    return KRV::CatchAll<GSErrCode>(
        "RegisterInterface",
        [] {
            if (GSErrCode err = ACAPI_Register_SupportedService(korvelService, 1); err != NoError)
                return err;
            if (GSErrCode err = ACAPI_Register_Menu(KRV::browserMenuResId, 0, 0, 0); err != NoError)
                return err;
            if (GSErrCode err = ACAPI_Register_Menu(KRV::paletteMenuResId, 0, 0, 1); err != NoError)
                return err;
            return ACAPI_Register_FileType(jsonFileType, 0, 0, "json", 0, KRV::fileTypeResId, 0, 11);
        },
        KRV::hosterr::general);
}

GSErrCode Initialize()
{
    return KRV::CatchAll<GSErrCode>(
        "Initialize",
        [] {
            if (GSErrCode err = ACAPI_Install_MenuHandler(KRV::browserMenuResId, KRV::MenuCommandHandler);
                err != NoError)
                return err;
            if (GSErrCode err = ACAPI_Install_MenuHandler(KRV::paletteMenuResId, KRV::MenuCommandHandler);
                err != NoError)
                return err;
            if (GSErrCode err = KRV::BrowserPalette::RegisterPaletteControlCallBack(); err != NoError)
                return err;
            if (GSErrCode err = KRV::Palette::RegisterPaletteControlCallBack(); err != NoError)
                return err;
            if (GSErrCode err = ACAPI_Notify_CatchProjectEvent(4095, KRV::BrowserPalette::NotificationHandler);
                err != NoError)
                return err;
            // Without element events the add-on still imports; their codes are not checked.
            ACAPI_Notify_CatchNewElement(nullptr, KRV::ElementEventHandlerProc);
            ACAPI_Notify_InstallElementObserver(KRV::ElementEventHandlerProc);
            return ACAPI_Install_FileTypeHandler(jsonFileType, KRV::DragNDropHandler);
        },
        KRV::hosterr::general);
}

// The palettes go with the add-on's image.
GSErrCode FreeData()
{
    return NoError;
}

namespace KRV {

GSErrCode MenuCommandHandler(const API_MenuParams* params)
{
    CatchAll("MenuCommandHandler", [&] {
        if (params->menuItemRef.itemIndex != 1)
            return;
        if (params->menuItemRef.menuResID == browserMenuResId) {
            if (BrowserPalette::HasInstance() && BrowserPalette::GetInstance()->IsVisible()) {
                BrowserPalette::GetInstance()->Hide();
            } else {
                if (!BrowserPalette::HasInstance())
                    BrowserPalette::CreateInstance();
                BrowserPalette::GetInstance()->Show();
            }
        } else if (params->menuItemRef.menuResID == paletteMenuResId) {
            if (Palette::HasInstance() && Palette::GetInstance()->IsVisible()) {
                Palette::GetInstance()->Hide();
            } else {
                if (!Palette::HasInstance())
                    Palette::CreateInstance();
                Palette::GetInstance()->Show();
            }
        }
    });
    return NoError;
}

GSErrCode DragNDropHandler(const API_IOParams* params)
{
    CatchAll("DragNDropHandler", [&] {
        if (params == nullptr || params->fileLoc == nullptr)
            return;
        GS::UniString path;
        params->fileLoc->ToPath(&path);
        if (params->method != IO_DROP)
            return;
        std::string content;
        std::ifstream file(path.ToCStr().Get(), std::ios::binary);
        if (file.is_open()) {
            std::ostringstream text;
            text << file.rdbuf();
            content = text.str();
        }
        // The host's text ends at the first zero byte.
        content = content.substr(0, content.find('\0'));
        BrowserPalette::Import(GS::UniString(content));
    });
    return NoError;
}

const API_AddOnImage& AddOnImage()
{
    static const API_AddOnImage image{CheckEnvironment, RegisterInterface, Initialize, FreeData, resourceStrings};
    return image;
}

} // namespace KRV
