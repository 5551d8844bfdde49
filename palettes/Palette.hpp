#pragma once
// The native tools palette, with its one button.
#include "DG/Panel.hpp"
#include "GS/Ref.hpp"
#include "Registration.hpp"

namespace KRV {

// A small palette with one button that brings the browser palette forward and shows
// the service's calculations page in it.
class Palette : public DG::Palette,
                public DG::PanelObserver,
                public DG::ButtonItemObserver,
                public DG::CompoundItemObserver {
public:
    static const GS::Guid paletteGuid;

    Palette();
    ~Palette() override;

    static bool HasInstance() { return instance != nullptr; }
    static void CreateInstance();
    // Raises "Null reference." when there is none.
    static Palette* GetInstance() { return &*instance; }
    static void DestroyInstance() { instance = GS::Ref<Palette, GS::Counter>(); }

    void Show() { DG::ModelessBase::Show(-32768); }
    void Hide() { DG::ModelessBase::Hide(); }

    static GSErrCode RegisterPaletteControlCallBack();
    static GSErrCode PaletteControlCallBack(Int32 referenceId, port::PaletteMessage message, GS::IntPtr param);

    void ButtonClicked(const DG::ButtonClickEvent& ev) override;
    void PanelResized(const DG::PanelResizeEvent& ev) override;
    void PanelCloseRequested(const DG::PanelCloseRequestEvent& ev, bool* accepted) override;

private:
    DG::IconButton button;
    static GS::Ref<Palette, GS::Counter> instance;
};

} // namespace KRV
