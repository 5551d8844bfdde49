#pragma once
// The catalogue palette: the browser showing the service's page, and the page's calls into the add-on.
#include <memory>

#include "DG/Browser.hpp"
#include "DG/Panel.hpp"
#include "GS/Array.hpp"
#include "GS/Ref.hpp"
#include "GS/UniString.hpp"
#include "Registration.hpp"

namespace KRV {

// The add-on's main window: an embedded browser showing the service's web interface,
// with the JavaScript object "jsKorvelInterface" through which the page drives the add-on.
class BrowserPalette : public DG::Palette, public DG::PanelObserver {
public:
    static const GS::Guid paletteGuid;
    static constexpr const char* addOnVersion = "2.6.0";

    ~BrowserPalette() override;

    static bool HasInstance() { return instance != nullptr; }
    static void CreateInstance();
    static BrowserPalette* GetInstance() { return instance.get(); }
    static void DestroyInstance() { instance.reset(); }

    void Show() { DG::ModelessBase::Show(-32768); }
    void Hide() { DG::ModelessBase::Hide(); }
    DG::Browser& GetBrowser() { return browser; }

    static GSErrCode RegisterPaletteControlCallBack();
    static GSErrCode PaletteControlCallBack(Int32 referenceId, port::PaletteMessage message, GS::IntPtr param);
    static GSErrCode NotificationHandler(port::ProjectEvent event, Int32 param);

    static bool Import(const GS::UniString& request);
    static bool Export(GS::UniString& text);
    static bool ExportCalculations(GS::UniString& text);
    static bool ExportIFC(GS::Ref<GS::Array<GS::UniString>> args);

    void PanelResized(const DG::PanelResizeEvent& ev) override;
    void PanelCloseRequested(const DG::PanelCloseRequestEvent& ev, bool* accepted) override;

private:
    BrowserPalette();
    void InitBrowserControl();
    void RegisterACAPIJavaScriptObject();

    DG::Browser browser;
    static std::unique_ptr<BrowserPalette> instance;
};

// The host's reference id of a palette: the wrap-around sum of the guid's four 32-bit words.
Int32 PaletteReferenceId(const GS::Guid& guid);

} // namespace KRV
