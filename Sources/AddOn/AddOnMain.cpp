// The add-on's entry points, as the host finds them in its image.
#include "AddOnMain.hpp"

#include <fstream>
#include <sstream>

#include "BrowserPalette.hpp"
#include "CatchAll.hpp"
#include "ElementEvents.hpp"
#include "HostErrors.hpp"
#include "IOLocation.hpp"
#include "Palette.hpp"
#include "Registration.hpp"
#include "Resources.hpp"

namespace KRV {

namespace {

constexpr GSType korvelService = 0x004B5256; // 'KRV'
constexpr Int32 jsonFileType = 1;

} // namespace

} // namespace KRV

namespace KRV::entry {

bool CheckEnvironment(GS::UniString& name, GS::UniString& description)
{
    return CatchAll<bool>(
        "CheckEnvironment",
        [&] {
            port::ResourceString(name, addOnInfoResId, 1);
            port::ResourceString(description, addOnInfoResId, 2);
            return true;
        },
        false);
}

GSErrCode RegisterInterface()
{
    return CatchAll<GSErrCode>(
        "RegisterInterface",
        [] {
            if (GSErrCode err = port::RegisterService(korvelService, 1); err != NoError)
                return err;
            if (GSErrCode err = port::RegisterMenu(browserMenuResId, 0, 0, 0); err != NoError)
                return err;
            if (GSErrCode err = port::RegisterMenu(paletteMenuResId, 0, 0, 1); err != NoError)
                return err;
            return port::RegisterFileType(jsonFileType, "json", fileTypeResId);
        },
        hosterr::general);
}

GSErrCode Initialize()
{
    return CatchAll<GSErrCode>(
        "Initialize",
        [] {
            if (GSErrCode err = port::InstallMenuHandler(browserMenuResId, MenuCommandHandler); err != NoError)
                return err;
            if (GSErrCode err = port::InstallMenuHandler(paletteMenuResId, MenuCommandHandler); err != NoError)
                return err;
            if (GSErrCode err = BrowserPalette::RegisterPaletteControlCallBack(); err != NoError)
                return err;
            if (GSErrCode err = Palette::RegisterPaletteControlCallBack(); err != NoError)
                return err;
            if (GSErrCode err = port::CatchProjectEvents(port::ProjectEvents::all, BrowserPalette::NotificationHandler);
                err != NoError)
                return err;
            // Without element events the add-on still imports; their codes are not checked.
            InstallElementEventHandler();
            return port::InstallFileHandler(jsonFileType, DragNDropHandler);
        },
        hosterr::general);
}

// The palettes go with the add-on's image.
GSErrCode FreeData()
{
    return NoError;
}

} // namespace KRV::entry

namespace KRV {

GSErrCode MenuCommandHandler(short menuResId, short itemIndex)
{
    CatchAll("MenuCommandHandler", [&] {
        if (itemIndex != 1)
            return;
        if (menuResId == browserMenuResId) {
            if (BrowserPalette::HasInstance() && BrowserPalette::GetInstance()->IsVisible()) {
                BrowserPalette::GetInstance()->Hide();
            } else {
                if (!BrowserPalette::HasInstance())
                    BrowserPalette::CreateInstance();
                BrowserPalette::GetInstance()->Show();
            }
        } else if (menuResId == paletteMenuResId) {
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

GSErrCode DragNDropHandler(const GS::UniString& path, bool dropped, bool hasFile)
{
    CatchAll("DragNDropHandler", [&] {
        if (!hasFile || !dropped)
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

} // namespace KRV
