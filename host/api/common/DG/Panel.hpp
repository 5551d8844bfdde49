#pragma once
// The host's dialog library: panels, items, observers and palettes.
#include <vector>

#include "API_Guid.h"
#include "GS/Guid.hpp"
#include "GS/Types.hpp"

namespace DG {

class Panel;
class Item;
class ButtonItem;

class PanelResizeEvent {
public:
    PanelResizeEvent(Panel* source, short hGrow, short vGrow) : source(source), hGrow(hGrow), vGrow(vGrow) {}
    Panel* GetSource() const { return source; }
    short GetHorizontalChange() const { return hGrow; }
    short GetVerticalChange() const { return vGrow; }

private:
    Panel* source;
    short hGrow;
    short vGrow;
};

class PanelCloseRequestEvent {
public:
    explicit PanelCloseRequestEvent(Panel* source) : source(source) {}
    Panel* GetSource() const { return source; }

private:
    Panel* source;
};

class ButtonClickEvent {
public:
    explicit ButtonClickEvent(ButtonItem* source) : source(source) {}
    ButtonItem* GetSource() const { return source; }

private:
    ButtonItem* source;
};

class PanelObserver {
public:
    virtual ~PanelObserver() = default;
    virtual void PanelResized(const PanelResizeEvent& ev) { (void)ev; }
    virtual void PanelCloseRequested(const PanelCloseRequestEvent& ev, bool* accepted) { (void)ev, (void)accepted; }
};

class ItemObserver {
public:
    virtual ~ItemObserver() = default;
};

class ButtonItemObserver : public virtual ItemObserver {
public:
    virtual void ButtonClicked(const ButtonClickEvent& ev) { (void)ev; }
};

class CompoundItemObserver : public virtual ItemObserver {
public:
    // Every item of the panel reports its events to this observer.
    void AttachToAllItems(const Panel& panel);
    void DetachFromAllItems(const Panel& panel);
};

class Item {
public:
    Item(const Panel& panel, short itemId);
    virtual ~Item();
    short GetId() const { return id; }
    Panel* GetPanel() const { return panel; }
    void Enable() { enabled = true; }
    void Disable() { enabled = false; }
    bool IsEnabled() const { return enabled; }
    void Move(short dh, short dv) { x += dh, y += dv; }
    void Resize(short dh, short dv) { width += dh, height += dv; }
    short GetWidth() const { return width; }
    short GetHeight() const { return height; }

private:
    Panel* panel;
    short id;
    bool enabled = true;
    short x = 0, y = 0, width = 200, height = 200;
};

class ButtonItem : public Item {
public:
    using Item::Item;
    // The host delivers a click to the item's observers.
    void Click();
};

class IconButton : public ButtonItem {
public:
    IconButton(const Panel& panel, short itemId) : ButtonItem(panel, itemId) {}
};

class Panel {
public:
    Panel(GSResModule resModule, short resId);
    virtual ~Panel();

    void Attach(PanelObserver& observer);
    void Detach(PanelObserver& observer);
    void BeginMoveResizeItems() { ++moveResizeDepth; }
    void EndMoveResizeItems() { --moveResizeDepth; }
    void DisableItems();
    void EnableItems();
    short GetResourceId() const { return resId; }
    const std::vector<Item*>& GetItems() const { return items; }
    const std::vector<PanelObserver*>& GetObservers() const { return observers; }
    const std::vector<ItemObserver*>& GetCompoundObservers() const { return compoundObservers; }
    int GetMoveResizeDepth() const { return moveResizeDepth; }

private:
    friend class Item;
    friend class CompoundItemObserver;
    short resId;
    std::vector<Item*> items;
    std::vector<PanelObserver*> observers;
    std::vector<ItemObserver*> compoundObservers;
    int moveResizeDepth = 0;
};

class ModelessBase : public Panel {
public:
    using Panel::Panel;
    void Show(short refDialogId = -32768);
    void Hide();
    bool IsVisible() const { return visible; }
    void BeginEventProcessing() { processing = true; }
    void EndEventProcessing() { processing = false; }
    bool IsProcessingEvents() const { return processing; }
    void BringToFront() {}

private:
    bool visible = false;
    bool processing = false;
};

class Palette : public ModelessBase {
public:
    Palette(GSResModule resModule, short resId, GSResModule iconModule, const GS::Guid& guid);
    ~Palette() override;
    const GS::Guid& GetGuid() const { return guid; }

private:
    GS::Guid guid;
};

// Modal alerts; they answer the number of the button pressed (1 the first).
short WarningAlert(const GS::UniString& largeText, const GS::UniString& smallText, const GS::UniString& button1,
                   const GS::UniString& button2 = GS::UniString(), const GS::UniString& button3 = GS::UniString());
short InformationAlert(const GS::UniString& largeText, const GS::UniString& smallText, const GS::UniString& button1,
                       const GS::UniString& button2 = GS::UniString(), const GS::UniString& button3 = GS::UniString());
short ErrorAlert(const GS::UniString& largeText, const GS::UniString& smallText, const GS::UniString& button1,
                 const GS::UniString& button2 = GS::UniString(), const GS::UniString& button3 = GS::UniString());

} // namespace DG
