// The catalogue palette: the browser showing the service's page, and the page's calls into the add-on.
#include "BrowserPalette.hpp"

#include <cstring>

#include "CatchAll.hpp"
#include "Exports.hpp"
#include "IFCExport.hpp"
#include "ImportManager.hpp"
#include "Palette.hpp"
#include "ServiceAddress.hpp"
#include "TakeOffRequest.hpp"
#include "Texts.hpp"

namespace KRV {

const GS::Guid BrowserPalette::paletteGuid("{64F64B7A-4B4F-496D-AFB7-747BCEED73EC}");
std::unique_ptr<BrowserPalette> BrowserPalette::instance;

Int32 PaletteReferenceId(const GS::Guid& guid)
{
    UInt32 words[4];
    static_assert(sizeof(GS::Guid) == sizeof(words), "a guid is four words");
    std::memcpy(words, &guid, sizeof words);
    UInt32 sum = words[0] + words[1] + words[2] + words[3];
    return static_cast<Int32>(sum);
}

BrowserPalette::BrowserPalette()
    : DG::Palette(port::OwnResources(), texts::browserPaletteResId, port::OwnResources(), paletteGuid),
      browser(*this, 1)
{
    port::CatchProjectEvents(port::ProjectEvents::quit, NotificationHandler);
    Attach(*this);
    BeginEventProcessing();
    InitBrowserControl();
}

BrowserPalette::~BrowserPalette()
{
    EndEventProcessing();
    Detach(*this);
}

void BrowserPalette::CreateInstance()
{
    instance.reset(new BrowserPalette());
    port::KeepInMemory(true);
}

void BrowserPalette::InitBrowserControl()
{
    // The object exists before the page starts loading.
    RegisterACAPIJavaScriptObject();
    browser.LoadURL(serviceBaseAddress);
}

GSErrCode BrowserPalette::RegisterPaletteControlCallBack()
{
    return port::RegisterPalette(PaletteReferenceId(paletteGuid), PaletteControlCallBack, GSGuid2APIGuid(paletteGuid));
}

GSErrCode BrowserPalette::PaletteControlCallBack(Int32, port::PaletteMessage message, GS::IntPtr param)
{
    CatchAll("BrowserPalette::PaletteControlCallBack", [&] {
        switch (message) {
        case port::PaletteMessage::close:
            if (HasInstance())
                instance->Hide();
            break;
        case port::PaletteMessage::open:
            if (!HasInstance())
                CreateInstance();
            instance->Show();
            break;
        case port::PaletteMessage::isVisible:
            if (param != 0)
                *reinterpret_cast<bool*>(param) = HasInstance() && instance->IsVisible();
            break;
        default:
            break;
        }
    });
    return NoError;
}

// The add-on's one project-event handler: Initialize and both palettes install it, and
// the host keeps only the last one installed, so it releases whichever palettes exist.
GSErrCode BrowserPalette::NotificationHandler(port::ProjectEvent event, Int32)
{
    CatchAll("BrowserPalette::NotificationHandler", [&] {
        if (event != port::ProjectEvent::quit)
            return;
        KRV::Palette::DestroyInstance();
        DestroyInstance();
    });
    return NoError;
}

bool BrowserPalette::Import(const GS::UniString& request)
{
    return ImportRequest(request);
}
bool BrowserPalette::Export(GS::UniString& text)
{
    return ExportUpdateStatus(text);
}
bool BrowserPalette::ExportCalculations(GS::UniString& text)
{
    return ExportCalculationData(text);
}
bool BrowserPalette::ExportIFC(GS::Ref<GS::Array<GS::UniString>> args)
{
    return IFCExport(std::move(args)).Export();
}

void BrowserPalette::PanelResized(const DG::PanelResizeEvent& ev)
{
    CatchAll("BrowserPalette::PanelResized", [&] {
        BeginMoveResizeItems();
        browser.Resize(ev.GetHorizontalChange(), ev.GetVerticalChange());
        EndMoveResizeItems();
    });
}

void BrowserPalette::PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted)
{
    // Closing only hides: the page stays alive until the add-on is unloaded.
    CatchAll("BrowserPalette::PanelCloseRequested", [&] {
        Hide();
        if (accepted != nullptr)
            *accepted = true;
    });
}

} // namespace KRV
