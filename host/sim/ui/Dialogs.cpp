// The dialog library: panels, items, palettes and alerts.
#include <algorithm>

#include "DG/Browser.hpp"
#include "DG/Panel.hpp"
#include "Host.hpp"
#include "OSUtils.hpp"

namespace DG {

template <typename T> static void Remove(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

Item::Item(const Panel& owner, short itemId) : panel(const_cast<Panel*>(&owner)), id(itemId)
{
    panel->items.push_back(this);
}

Item::~Item()
{
    Remove(panel->items, this);
}

void ButtonItem::Click()
{
    ButtonClickEvent ev(this);
    for (ItemObserver* observer : GetPanel()->GetCompoundObservers())
        if (auto* buttonObserver = dynamic_cast<ButtonItemObserver*>(observer))
            buttonObserver->ButtonClicked(ev);
}

void CompoundItemObserver::AttachToAllItems(const Panel& panel)
{
    auto& list = const_cast<Panel&>(panel).compoundObservers;
    if (std::find(list.begin(), list.end(), this) == list.end())
        list.push_back(this);
}

void CompoundItemObserver::DetachFromAllItems(const Panel& panel)
{
    Remove(const_cast<Panel&>(panel).compoundObservers, static_cast<ItemObserver*>(this));
}

Panel::Panel(GSResModule, short resId) : resId(resId) {}
Panel::~Panel() = default;

void Panel::Attach(PanelObserver& observer)
{
    if (std::find(observers.begin(), observers.end(), &observer) == observers.end())
        observers.push_back(&observer);
}

void Panel::Detach(PanelObserver& observer)
{
    Remove(observers, &observer);
}

void Panel::DisableItems()
{
    for (Item* item : items)
        item->Disable();
}

void Panel::EnableItems()
{
    for (Item* item : items)
        item->Enable();
}

void ModelessBase::Show(short)
{
    visible = true;
}
void ModelessBase::Hide()
{
    visible = false;
}

Palette::Palette(GSResModule resModule, short resId, GSResModule, const GS::Guid& guid)
    : ModelessBase(resModule, resId), guid(guid)
{
    sim::Host::Get().UI().palettes.push_back(this);
}

Palette::~Palette()
{
    Remove(sim::Host::Get().UI().palettes, this);
}

static short Alert(const char* kind, const GS::UniString& largeText, const GS::UniString& smallText,
                   const GS::UniString& b1, const GS::UniString& b2, const GS::UniString& b3)
{
    auto& ui = sim::Host::Get().UI();
    sim::AlertRecord record{kind, largeText.ToUtf8(), smallText.ToUtf8(), {}, 1};
    for (const auto* b : {&b1, &b2, &b3})
        if (!b->IsEmpty())
            record.buttons.push_back(b->ToUtf8());
    // Without a queued answer the user presses the first button, unless someone is asked.
    if (!ui.alertAnswers.empty()) {
        record.answer = ui.alertAnswers.front();
        ui.alertAnswers.pop_front();
    } else if (ui.askAlert) {
        const short answer = ui.askAlert(record);
        if (answer >= 1 && answer <= static_cast<short>(record.buttons.size()))
            record.answer = answer;
    }
    ui.alerts.push_back(record);
    return record.answer;
}

short WarningAlert(const GS::UniString& l, const GS::UniString& s, const GS::UniString& b1, const GS::UniString& b2,
                   const GS::UniString& b3)
{
    return Alert("warning", l, s, b1, b2, b3);
}

short InformationAlert(const GS::UniString& l, const GS::UniString& s, const GS::UniString& b1, const GS::UniString& b2,
                       const GS::UniString& b3)
{
    return Alert("information", l, s, b1, b2, b3);
}

short ErrorAlert(const GS::UniString& l, const GS::UniString& s, const GS::UniString& b1, const GS::UniString& b2,
                 const GS::UniString& b3)
{
    return Alert("error", l, s, b1, b2, b3);
}

GS::Ref<JSValue> JSValue::Null()
{
    auto value = GS::Ref<JSValue>(new JSValue());
    value->type = NIL;
    return value;
}

GS::UniString JSValue::GetString() const
{
    switch (type) {
    case STRING:
        return string;
    case BOOL:
        return boolean ? "true" : "false";
    case INTEGER:
        return GS::UniString::Printf("%lld", static_cast<long long>(integer));
    case DOUBLE:
        return GS::UniString::Printf("%g", real);
    case NIL:
        return "null";
    default:
        return "undefined";
    }
}

void BrowserBase::LoadURL(const GS::UniString& address)
{
    url = address;
    ++loads;
    auto& browsers = sim::Host::Get().UI().browsers;
    if (std::find(browsers.begin(), browsers.end(), this) == browsers.end())
        browsers.push_back(this);
}

bool BrowserBase::RegisterAsynchJSObject(GS::Ref<JSObject> object)
{
    if (object == nullptr)
        return false;
    jsObjects.push_back(object);
    auto& browsers = sim::Host::Get().UI().browsers;
    if (std::find(browsers.begin(), browsers.end(), this) == browsers.end())
        browsers.push_back(this);
    return true;
}

BrowserBase::~BrowserBase()
{
    Remove(sim::Host::Get().UI().browsers, this);
}

} // namespace DG

namespace OSUtils {
// Recorded, not performed: nothing leaves the machine.
bool OpenWithDefaultBrowser(const GS::UniString& address)
{
    sim::Host::Get().UI().openedLinks.push_back(address.ToUtf8());
    return true;
}
} // namespace OSUtils
