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
    : DG::Palette(port::OwnResources(), texts::nativePaletteResId, port::OwnResources(), paletteGuid), button(*this, 1)
{
    port::CatchProjectEvents(port::ProjectEvents::quit, BrowserPalette::NotificationHandler);
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
    port::KeepInMemory(true);
}

GSErrCode Palette::RegisterPaletteControlCallBack()
{
    return port::RegisterPalette(PaletteReferenceId(paletteGuid), PaletteControlCallBack, GSGuid2APIGuid(paletteGuid));
}

GSErrCode Palette::PaletteControlCallBack(Int32, port::PaletteMessage message, GS::IntPtr param)
{
    CatchAll("Palette::PaletteControlCallBack", [&] {
        switch (message) {
        case port::PaletteMessage::close:
            if (HasInstance())
                GetInstance()->Hide();
            break;
        case port::PaletteMessage::beginHide:
            if (HasInstance() && GetInstance()->IsVisible())
                GetInstance()->Hide();
            break;
        case port::PaletteMessage::endHide:
            if (HasInstance() && !GetInstance()->IsVisible())
                GetInstance()->Show();
            break;
        case port::PaletteMessage::beginDisable:
            if (HasInstance() && GetInstance()->IsVisible())
                GetInstance()->DisableItems();
            break;
        case port::PaletteMessage::endDisable:
            if (HasInstance() && GetInstance()->IsVisible())
                GetInstance()->EnableItems();
            break;
        case port::PaletteMessage::open:
            if (!HasInstance())
                CreateInstance();
            GetInstance()->Show();
            break;
        case port::PaletteMessage::isVisible:
            if (param != 0)
                *reinterpret_cast<bool*>(param) = HasInstance() && GetInstance()->IsVisible();
            break;
        case port::PaletteMessage::other:
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
