// The native tools palette, with its one button.
#include "Palette.hpp"

#include "BrowserPalette.hpp"
#include "CatchAll.hpp"
#include "ServiceAddress.hpp"
#include "Texts.hpp"

namespace KRV {

const GS::Guid Palette::paletteGuid("{FEE27B6B-3873-4834-98B5-F0081AA4CD45}");
GS::Ref<Palette, GS::Counter> Palette::instance;

Palette::Palette()
    : DG::Palette(ACAPI_GetOwnResModule(), texts::nativePaletteResId, ACAPI_GetOwnResModule(), paletteGuid),
      button(*this, 1)
{
    ACAPI_Notify_CatchProjectEvent(APINotify_Quit, BrowserPalette::NotificationHandler);
    Attach(*this);
    AttachToAllItems(*this);
    BeginEventProcessing();
}

Palette::~Palette()
{
    EndEventProcessing();
    DetachFromAllItems(*this);
    Detach(*this);
}

void Palette::CreateInstance()
{
    GS::Ref<Palette, GS::Counter> created(new Palette());
    if (created != instance)
        instance = created;
    ACAPI_KeepInMemory(true);
}

GSErrCode Palette::RegisterPaletteControlCallBack()
{
    return ACAPI_RegisterModelessWindow(PaletteReferenceId(paletteGuid), PaletteControlCallBack, 1015,
                                        GSGuid2APIGuid(paletteGuid));
}

GSErrCode Palette::PaletteControlCallBack(Int32, API_PaletteMessageID message, GS::IntPtr param)
{
    CatchAll("Palette::PaletteControlCallBack", [&] {
        switch (message) {
        case APIPalMsg_ClosePalette:
            if (HasInstance())
                GetInstance()->Hide();
            break;
        case APIPalMsg_HidePalette_Begin:
            if (HasInstance() && GetInstance()->IsVisible())
                GetInstance()->Hide();
            break;
        case APIPalMsg_HidePalette_End:
            if (HasInstance() && !GetInstance()->IsVisible())
                GetInstance()->Show();
            break;
        case APIPalMsg_DisableItems_Begin:
            if (HasInstance() && GetInstance()->IsVisible())
                GetInstance()->DisableItems();
            break;
        case APIPalMsg_DisableItems_End:
            if (HasInstance() && GetInstance()->IsVisible())
                GetInstance()->EnableItems();
            break;
        case APIPalMsg_OpenPalette:
            if (!HasInstance())
                CreateInstance();
            GetInstance()->Show();
            break;
        case APIPalMsg_IsPaletteVisible:
            if (param != 0)
                *reinterpret_cast<bool*>(param) = HasInstance() && GetInstance()->IsVisible();
            break;
        }
    });
    return NoError;
}

void Palette::ButtonClicked(const DG::ButtonClickEvent&)
{
    CatchAll("Palette::ButtonClicked", [] {
        // The button never creates the browser palette.
        if (!BrowserPalette::HasInstance())
            return;
        BrowserPalette* browserPalette = BrowserPalette::GetInstance();
        browserPalette->Show();
        browserPalette->GetBrowser().LoadURL(GS::UniString(serviceBaseAddress) + "/#/calculations");
    });
}

void Palette::PanelResized(const DG::PanelResizeEvent&)
{
    BeginMoveResizeItems();
    EndMoveResizeItems();
}

void Palette::PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted)
{
    CatchAll("Palette::PanelCloseRequested", [&] {
        Hide();
        if (accepted != nullptr)
            *accepted = true;
    });
}

} // namespace KRV
