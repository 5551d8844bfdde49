// Element notifications: the add-on's handlers, observers, and their delivery.
#include "Notifications.hpp"

#include <cstring>

#include "BM.h"
#include "Calls.hpp"
#include "Edge.hpp"
#include "Host.hpp"

using sim::Host;

namespace sim {

void FillRecord(const Element& e, API_Element& element);

namespace {

// What the event being delivered was made from.
std::optional<Element> currentParent;

} // namespace

bool EventSeries::Send(APIElementEventHandlerProc* handler, API_ElementDBEventID code, const API_Guid& element)
{
    API_NotifyElementType event{};
    event.notifID = code;
    event.databaseId = {Host::Get().GetProject().databases.Current().id};
    if (const Element* e = Host::Get().GetProject().elements.Find(element)) {
        SetTypeId(event.elemHead, TypeIdOf(e->kind));
        event.elemHead.guid = e->guid;
        event.elemHead.floorInd = e->floor;
        SetDatabase(event.elemHead, Host::Get().GetProject().databases.FloorPlan().id);
    } else {
        event.elemHead.guid = element;
    }
    Host::Get().CallAddOn<GSErrCode>(
        "ElementEventHandler", [&] { return handler(&event); }, APIERR_GENERAL);
    return true;
}

bool EventSeries::Deliver(API_ElementDBEventID code, const API_Guid& element, const std::optional<Element>& parent)
{
    AddOnSlot& addOn = Host::Get().AddOn();
    if (!addOn.loaded)
        return false;
    const Element* e = Host::Get().GetProject().elements.Find(element);
    APIElementEventHandlerProc* handler = nullptr;
    if (code == APINotifyElement_New || code == APINotifyElement_Copy) {
        if (addOn.newElementAllTypes || (e != nullptr && TypeIdOf(e->kind) == addOn.newElementType))
            handler = addOn.newElementHandler;
    } else if (e != nullptr && e->observed) {
        handler = addOn.elementObserver;
    }
    if (handler == nullptr)
        return false;
    if (bracketHandler == nullptr) {
        bracketHandler = handler;
        Send(bracketHandler, APINotifyElement_BeginEvents, APINULLGuid);
    }
    currentParent = parent;
    Send(handler, code, element);
    currentParent.reset();
    return true;
}

EventSeries::~EventSeries()
{
    if (bracketHandler != nullptr && Host::Get().AddOn().loaded)
        Send(bracketHandler, APINotifyElement_EndEvents, APINULLGuid);
}

} // namespace sim

GSErrCode sim::calls::Notify_CatchNewElement(const API_ElemTypeID* type, APIElementEventHandlerProc* handlerProc)
{
    sim::AddOnSlot& addOn = Host::Get().AddOn();
    addOn.newElementHandler = handlerProc;
    addOn.newElementAllTypes = type == nullptr;
    addOn.newElementType = type != nullptr ? *type : API_ZombieElemID;
    return NoError;
}

GSErrCode sim::calls::Notify_InstallElementObserver(APIElementEventHandlerProc* handlerProc)
{
    Host::Get().AddOn().elementObserver = handlerProc;
    return NoError;
}

GSErrCode ACAPI_Element_AttachObserver(const API_Guid& elemGuid, GSFlags)
{
    SIM_ENTER_ELEMENT_CHANGE("ACAPI_Element_AttachObserver");
    sim::Element* e = Host::Get().GetProject().elements.Find(elemGuid);
    if (e == nullptr)
        return APIERR_BADID;
    e->observed = true;
    return NoError;
}

GSErrCode sim::calls::Notify_GetParentElement(API_Element* element, API_ElementMemo* memo, UInt64,
                                              API_ElementUserData* userData, GSErrCode noParent)
{
    if (element == nullptr)
        return APIERR_BADPARS;
    if (!sim::currentParent)
        return noParent;
    sim::FillRecord(*sim::currentParent, *element);
    if (memo != nullptr)
        std::memset(memo, 0, sizeof(API_ElementMemo));
    if (userData != nullptr) {
        const std::string& bytes = sim::currentParent->userData.bytes;
        std::memset(userData, 0, sizeof(API_ElementUserData));
        if (sim::currentParent->userData.present) {
            userData->dataVersion = sim::currentParent->userData.version;
            userData->platformSign = sim::currentParent->userData.platformSign;
            userData->dataHdl = BMAllocateHandle(static_cast<GSSize>(bytes.size()), ALLOCATE_CLEAR, 0);
            if (userData->dataHdl == nullptr)
                return APIERR_MEMFULL;
            std::memcpy(*userData->dataHdl, bytes.data(), bytes.size());
        }
    }
    return NoError;
}
