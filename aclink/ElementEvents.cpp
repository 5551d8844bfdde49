// Element events: placed, copied and changed elements carry the catalogue data of what they are.
#include "ElementEvents.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_set>

#include "APIdefs_LibParts.h"
#include "APIdefs_UserData.h"
#include "Attributes.hpp"
#include "CatchAll.hpp"
#include "Classification.hpp"
#include "Commands.hpp"
#include "DBPrintf.h"
#include "ElementNames.hpp"
#include "ElementStructure.hpp"
#include "Environment.hpp"
#include "ErrorMessages.hpp"
#include "HostErrors.hpp"
#include "HostMemory.hpp"
#include "Logger.hpp"
#include "Properties.hpp"
#include "StoredList.hpp"
#include "Texts.hpp"
#include "UserData.hpp"

namespace KRV {

namespace {

// Set while the handler runs: a host that reports the add-on's own writes back to it
// must not send it round again.
bool handling = false;

// Elements the host would not attach an observer to: without one, nothing the user does to
// them reaches the add-on. Tried again at every element event and at the take-off's refresh.
std::unordered_set<API_Guid> unobserved;

// What the element's catalogue data is to come from, for the line naming a failed attempt.
std::string attachedItem;

std::string GuidText(const API_Guid& guid)
{
    return GS::TruncateUtf8(APIGuidToString(guid).ToUtf8(), 64);
}

bool IsNamedByIfc(API_ElemTypeID type)
{
    return type == API_CurtainWallID || type == API_StairID;
}

// The text of the record "KV_" + name when it exists in data version 1.
bool ReadRecord(const GS::UniString& name, GS::UniString& text, GSErrCode* code)
{
    std::optional<GS::UniString> record = ReadModulData(name, "AttachKVProperties::", *code);
    if (!record)
        return false;
    text = std::move(*record);
    return true;
}

// The name of the library part an element is placed from ("" when there is none). A read
// that failed (logged) is no answer: `error` receives its code, and "" comes back.
GS::UniString LibraryPartName(const API_Elem_Head& head, bool* placedFromPart, GSErrCode* error)
{
    char uniqueId[API_UniIDLen] = {};
    API_Elem_Head copy = head;
    const GSErrCode read = ACAPI_Goodies(APIAny_GetElemLibPartUnIdID, &copy, uniqueId);
    *placedFromPart = read == NoError;
    *error = NoError;
    if (read != NoError && read != hosterr::badElementType) {
        LogArchicadErrorCodeMessage(read, "LibraryPartName::ACAPI_Goodies GetElemLibPartUnId");
        *error = read;
    }
    if (!*placedFromPart || uniqueId[0] == '\0')
        return GS::UniString();
    API_LibPart part{};
    std::memcpy(part.ownUnID, uniqueId, sizeof uniqueId);
    LibPartLocationGuard location(part);
    GSErrCode err = ACAPI_LibPart_Search(&part, false, false);
    if (err != NoError) {
        if (err != hosterr::badId) {
            LogArchicadErrorCodeMessage(err, "LibraryPartName::ACAPI_LibPart_Search");
            *error = err;
        }
        return GS::UniString();
    }
    return GS::UniString(std::string(part.docu_UName, strnlen(part.docu_UName, API_UniLongNameLen)));
}

// What each element event does to an element the add-on looks after (any type but walls,
// slabs and roofs, which ElemPlacedEventHandler takes): its debug line without and with the
// element it was made from ($T the type, $E the element, $P that parent; no line: none), and
// what follows. An event missing here is ignored.
struct ElementEvent {
    enum Then { nothing, attach, attachAndObserve };
    API_ElementDBEventID code;
    const char* alone;
    const char* withParent; // null: as alone
    Then then;
    Then thenWithParent;
};

const ElementEvent elementEvents[] = {
    {APINotifyElement_New, "<$T> created {$E}", "<$T> created {$E} as a copy of {$P}", ElementEvent::attachAndObserve,
     ElementEvent::attachAndObserve},
    {APINotifyElement_Copy, nullptr, "<$T> copied {$E} from {$P}", ElementEvent::nothing,
     ElementEvent::attachAndObserve},
    {APINotifyElement_Change, "<$T> window/door changed {$E}", "<$T> changed {$P} -> {$E}", ElementEvent::attach,
     ElementEvent::attach},
    {APINotifyElement_Edit, "<$T> edited in place {$E}", "<$T> edited {$P} -> {$E}", ElementEvent::attach,
     ElementEvent::attach},
    {APINotifyElement_Delete, "<$T> deleted {$E}", nullptr, ElementEvent::nothing, ElementEvent::nothing},
    {APINotifyElement_Undo_Created, "undone <$T> created {$E}", nullptr, ElementEvent::nothing, ElementEvent::nothing},
    {APINotifyElement_Undo_Modified, "undone <$T> modified {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {APINotifyElement_Undo_Deleted, "undone <$T> deleted {$E}", nullptr, ElementEvent::nothing, ElementEvent::nothing},
    {APINotifyElement_Redo_Created, "redone <$T> created {$E}", nullptr, ElementEvent::nothing, ElementEvent::nothing},
    {APINotifyElement_Redo_Modified, "redone <$T> modified {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {APINotifyElement_Redo_Deleted, "redone <$T> deleted {$E}", nullptr, ElementEvent::nothing, ElementEvent::nothing},
    // The user's own edits of catalogue properties stay.
    {APINotifyElement_PropertyValueChange, "<$T> property value changed {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {APINotifyElement_ClassificationChange, "<$T> classification changed {$E}", nullptr, ElementEvent::attach,
     ElementEvent::attach},
};

const ElementEvent* FindElementEvent(API_ElementDBEventID code)
{
    for (const ElementEvent& row : elementEvents)
        if (row.code == code)
            return &row;
    return nullptr;
}

// The row's debug line with the type and the guids put in.
std::string DebugLine(const char* pattern, const char* type, const std::string& element, const std::string& parent)
{
    std::string line = "### Element_Manager: ";
    for (const char* c = pattern; *c != '\0'; ++c) {
        if (c[0] == '$' && (c[1] == 'T' || c[1] == 'E' || c[1] == 'P')) {
            line += c[1] == 'T' ? std::string(type) : c[1] == 'E' ? element : parent;
            ++c;
        } else {
            line += *c;
        }
    }
    return line + "\n";
}

// No record, or a type the add-on has nothing for: nothing failed.
bool Failed(GSErrCode err)
{
    return err != NoError && err != hosterr::noModuleData && err != texts::notHandled;
}

// Gives the element its catalogue data by `attach`, and once more when that fails: a host
// that refused a read or a write once may take it the second time. A second failure leaves a
// line naming the element, the item and the host call, so that the user or support can find
// the element that lacks its data.
GSErrCode AttachTwice(const API_Guid& guid, const std::function<GSErrCode()>& attach)
{
    GSErrCode err = NoError;
    std::string call;
    for (int attempt = 0; attempt < 2; ++attempt) {
        attachedItem.clear();
        TakeLastFailedCall();
        try {
            err = attach();
            call = TakeLastFailedCall();
        } catch (const std::exception& e) {
            LogError(std::string("ElementEventHandlerProc failed: ") + e.what());
            err = hosterr::general;
            call = TakeLastFailedCall();
            call = call.empty() ? std::string("a host call threw: ") + e.what() : call;
        }
        if (!Failed(err))
            return err;
    }
    LogError("The catalogue data" + (attachedItem.empty() ? std::string() : " of " + attachedItem) +
             " could not be written on the element " + GuidText(guid) + " (" +
             (call.empty() ? std::string("error ") + std::to_string(err) : call) + ").");
    return err;
}

// Attaches the observer, once more when the host refuses; an element it still refuses is
// kept for the next event or refresh. `context` names the operation in the log.
void Observe(const API_Guid& guid, const char* context)
{
    GSErrCode err = NoError;
    for (int attempt = 0; attempt < 2; ++attempt) {
        err = ACAPI_Element_AttachObserver(guid, 0);
        if (err == NoError) {
            unobserved.erase(guid);
            return;
        }
        LogArchicadErrorCodeMessage(err, context);
    }
    unobserved.insert(guid);
}

// Runs inside a command (the host's own, or the caller's).
void ObserveTheUnobserved()
{
    for (const API_Guid& guid : std::vector<API_Guid>(unobserved.begin(), unobserved.end())) {
        const GSErrCode err = ACAPI_Element_AttachObserver(guid, 0);
        if (err == NoError || err == hosterr::badId || err == hosterr::deleted)
            unobserved.erase(guid); // observed, or gone
        else
            LogArchicadErrorCodeMessage(err, "ObserveTheUnobserved::ACAPI_Element_AttachObserver");
    }
}

GSErrCode Handle(const API_NotifyElementType* event)
{
    if (event->notifID == APINotifyElement_BeginEvents || event->notifID == APINotifyElement_EndEvents) {
        GS::UniString name;
        port::DatabaseName(event->databaseId.elemSetId, name);
        DBPrintf("### Element_Manager: %s notification on database \"%s\"\n",
                 event->notifID == APINotifyElement_BeginEvents ? "Begin Events" : "End Events", name.ToCStr().Get());
        return NoError;
    }
    const API_ElemTypeID type = event->elemHead.typeID;
    char typeName[256] = {};
    if (const GSErrCode named = GetElementTypeString(type, typeName); named == hosterr::badElementType)
        return NoError; // a type the add-on has no business with
    else if (named != NoError)
        std::snprintf(typeName, sizeof typeName, "type %d", static_cast<int>(type)); // logged; only for the line
    if (!unobserved.empty())
        ObserveTheUnobserved();
    if (IsShell(type))
        return AttachTwice(event->elemHead.guid, [&] { return ElemPlacedEventHandler(event); });

    API_Element parent{};
    GSErrCode parentRead = NoError;
    for (int attempt = 0; attempt < 2; ++attempt) {
        parent = API_Element{};
        API_ElementUserData userData{};
        parentRead = ACAPI_Notify_GetParentElement(&parent, nullptr, 0, &userData);
        HandleGuard parentData(userData.dataHdl);
        if (ReadSucceeded(parentRead, "ElementEventHandlerProc::ACAPI_Notify_GetParentElement",
                          hosterr::badId)) // none: no parent
            break;
    }
    const bool hasParent = parentRead == NoError;
    const ElementEvent* row = FindElementEvent(event->notifID);
    if (row == nullptr)
        return NoError;
    const char* line = hasParent && row->withParent != nullptr ? row->withParent : row->alone;
    if (line != nullptr)
        DBPrintf("%s", DebugLine(line, typeName, GuidText(event->elemHead.guid),
                                 hasParent ? GuidText(parent.header.guid) : std::string())
                           .c_str());
    // Not knowing whether there is a parent, the element gets what either case would give it:
    // looking after an element the add-on need not is harmless, leaving one alone is not.
    const ElementEvent::Then then = hasParent                      ? row->thenWithParent
                                    : parentRead == hosterr::badId ? row->then
                                                                   : std::max(row->then, row->thenWithParent);
    if (then == ElementEvent::attachAndObserve)
        Observe(event->elemHead.guid, "ElementEventHandlerProc::ACAPI_Element_AttachObserver");
    if (then == ElementEvent::nothing)
        return NoError;
    return AttachTwice(event->elemHead.guid, [&] { return AttachKVProperties(event->elemHead); });
}

} // namespace

void InstallElementEventHandler()
{
    ACAPI_Notify_CatchNewElement(nullptr, ElementEventHandlerProc);
    ACAPI_Notify_InstallElementObserver(ElementEventHandlerProc);
}

GSErrCode ElementEventHandlerProc(const API_NotifyElementType* event)
{
    if (event == nullptr || handling)
        return NoError;
    handling = true;
    // A host call that threw is given a second chance, as one that failed is: the element
    // would otherwise go without its data or its observer.
    bool threw = true;
    auto handle = [&] {
        const GSErrCode handled = Handle(event);
        threw = false;
        return handled;
    };
    GSErrCode result = CatchAll<GSErrCode>("ElementEventHandlerProc", handle, hosterr::general);
    if (threw)
        result = CatchAll<GSErrCode>("ElementEventHandlerProc", handle, hosterr::general);
    handling = false;
    return result;
}

void ObserveElementsLeftUnobserved()
{
    if (unobserved.empty())
        return;
    const GSErrCode err = port::UndoableCommand(texts::undoObserveElements, [] {
        ObserveTheUnobserved();
        return NoError;
    });
    LogArchicadErrorCodeMessage(err, "ObserveElementsLeftUnobserved::", port::undoableCommandCall);
}

int ElemPlacedEventHandler(const API_NotifyElementType* event)
{
    const API_ElementDBEventID code = event->notifID;
    if (code != APINotifyElement_New && code != APINotifyElement_Change)
        return NoError;
    API_Element element{};
    element.header.guid = event->elemHead.guid;
    if (GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
        LogArchicadErrorCodeMessage(err, "WallPlacedEventHandler::ACAPI_Element_Get");
        return err;
    }
    if (code == APINotifyElement_New)
        Observe(element.header.guid, "WallPlacedEventHandler::ACAPI_Element_AttachObserver");
    auto structure = StructureOf(element.header.guid);
    if (!structure) {
        LogError("ElemPlacedEventHandler: Unexpected element type");
        return texts::notHandled;
    }
    const bool composite = structure->modelElemStructureType == API_CompositeStructure;
    port::Attribute attribute(composite ? port::AttrRef(port::AttrType::composite, structure->composite)
                                        : port::AttrRef(port::AttrType::buildingMaterial, structure->buildingMaterial));
    if (GSErrCode err = port::GetAttribute(attribute); err != NoError) {
        LogArchicadErrorCodeMessage(err, "WallPlacedEventHandler::", port::getAttributeCall);
        return err;
    }
    attachedItem =
        std::string(composite ? "the composite \"" : "the building material \"") + attribute.head.name.ToUtf8() + "\"";
    GS::UniString text;
    if (GSErrCode err = GetUserData(attribute.head, text); err != NoError && err != hosterr::noUserData)
        return err; // logged: not knowing its data, the element keeps what it has
    KorvelProperties properties;
    if (!text.IsEmpty() &&
        ReadStoredList(text, "the attribute " + std::to_string(attribute.head.ref.Index()), properties)) {
        return WriteElementProperties(element.header.guid, properties, nullptr);
    } else if (code == APINotifyElement_Change) {
        SetDefaultValuesForKorvelProperties(element.header.guid);
    }
    return NoError;
}

int AttachKVProperties(const API_Elem_Head& head)
{
    GS::UniString name;
    if (IsNamedByIfc(head.typeID)) {
        GetIFCNameFromElementGuid(head.guid, name);
    } else {
        bool placedFromPart = false;
        GSErrCode error = NoError;
        name = LibraryPartName(head, &placedFromPart, &error);
        if (error != NoError)
            return error; // logged
    }
    if (name.IsEmpty())
        return hosterr::noModuleData;
    attachedItem = (IsNamedByIfc(head.typeID) ? "the type \"" : "the library part \"") + name.ToUtf8() + "\"";
    GS::UniString text;
    GSErrCode code = NoError;
    if (ReadRecord(name, text, &code)) {
        KorvelProperties properties;
        if (!ReadStoredList(text, texts::RecordName(name.ToUtf8()), properties))
            return code;
        API_Element element{};
        element.header.guid = head.guid;
        if (GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
            LogArchicadErrorCodeMessage(err, "AttachKVProperties::ACAPI_Element_Get");
            return err;
        }
        return WriteElementProperties(head.guid, properties, nullptr);
    }
    if (!IsNamedByIfc(head.typeID))
        return code;
    // Renamed since its type was imported: the record follows the element's catalogue name.
    GS::UniString catalogueName;
    GetElementNameFromElementGuid(head.guid, catalogueName);
    if (catalogueName.IsEmpty())
        return code;
    if (ReadRecord(catalogueName, text, &code))
        return CreateModulData(name, text); // logged when it fails
    return code;
}

GSErrCode AttachKVProperties(const GS::UniString& name)
{
    GS::Array<API_Guid> elements;
    if (GSErrCode err = ACAPI_Element_GetElemList(API_ZombieElemID, &elements, 0x0A); err != NoError) {
        LogArchicadErrorCodeMessage(err, "AttachKVProperties::ACAPI_Element_GetElemList");
        return err;
    }
    GSErrCode result = NoError;
    auto failed = [&](GSErrCode err) {
        if (result == NoError)
            result = err;
    };
    GS::UniString text;
    KorvelProperties properties;
    bool read = false;
    for (const API_Guid& guid : elements) {
        API_Element element{};
        element.header.guid = guid;
        if (GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
            LogArchicadErrorCodeMessage(err, "AttachKVProperties::ACAPI_Element_Get");
            failed(err);
            continue;
        }
        bool placedFromPart = false;
        GSErrCode error = NoError;
        const GS::UniString partName = LibraryPartName(element.header, &placedFromPart, &error);
        // Not knowing the element's part, the page may not hear that its data was written.
        if (error != NoError) {
            failed(error);
            continue;
        }
        if (!placedFromPart) {
            DBPrintf("The element is not GDL based!\n");
            continue;
        }
        if (partName.IsEmpty())
            continue;
        DBPrintf("Lib part name: %s\nObject name: %s\n", name.ToCStr().Get(), partName.ToCStr().Get());
        if (partName != name)
            continue;
        if (!read) {
            GSErrCode code = NoError;
            if (!ReadRecord(name, text, &code) || !ReadStoredList(text, texts::RecordName(name.ToUtf8()), properties)) {
                failed(code != NoError ? code : hosterr::general); // logged
                return result;
            }
            read = true;
        }
        if (GSErrCode err = WriteElementProperties(guid, properties, texts::undoGroupProperties); err != NoError)
            failed(err);
    }
    return result;
}

GSErrCode GetElementsFromAttrib(const port::AttrRef& composite, std::vector<API_Element>& kept)
{
    kept.clear();
    std::vector<API_Guid> users;
    if (GSErrCode err = ElementsBuiltOf(composite.Index(), true, "GetElementsFromAttrib", users); err != NoError)
        return err; // logged
    for (const API_Guid& guid : users) {
        API_Element element{};
        element.header.guid = guid;
        if (GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
            LogArchicadErrorCodeMessage(err, "GetElementsFromAttrib::ACAPI_Element_Get");
            return err;
        }
        kept.push_back(element);
    }
    return NoError;
}

} // namespace KRV
