// Element events: placed, copied and changed elements carry the catalogue data of what they are.
#include "ElementEvents.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_set>

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
#include "LibraryParts.hpp"
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

bool IsNamedByIfc(port::ElemKind kind)
{
    return kind == port::ElemKind::curtainWall || kind == port::ElemKind::stair;
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
GS::UniString LibraryPartName(const port::ElemHead& head, bool* placedFromPart, GSErrCode* error)
{
    std::string uniqueId;
    const GSErrCode read = port::ElementLibraryPartId(head, uniqueId);
    *placedFromPart = read == NoError;
    *error = NoError;
    if (read != NoError && read != hosterr::badElementType) {
        LogArchicadErrorCodeMessage(read, "LibraryPartName::", port::elementPartIdCall);
        *error = read;
    }
    if (!*placedFromPart || uniqueId.empty())
        return GS::UniString();
    GS::UniString name;
    GSErrCode err = port::LibraryPartNameById(uniqueId, name);
    if (err != NoError) {
        if (err != hosterr::badId) {
            LogArchicadErrorCodeMessage(err, "LibraryPartName::", port::searchLibraryPartCall);
            *error = err;
        }
        return GS::UniString();
    }
    return name;
}

// What each element event does to an element the add-on looks after (any type but walls,
// slabs and roofs, which ElemPlacedEventHandler takes): its debug line without and with the
// element it was made from ($T the type, $E the element, $P that parent; no line: none), and
// what follows. An event missing here is ignored.
struct ElementEvent {
    enum Then { nothing, attach, attachAndObserve };
    port::ElementEventCode code;
    const char* alone;
    const char* withParent; // null: as alone
    Then then;
    Then thenWithParent;
};

const ElementEvent elementEvents[] = {
    {port::ElementEventCode::created, "<$T> created {$E}", "<$T> created {$E} as a copy of {$P}",
     ElementEvent::attachAndObserve, ElementEvent::attachAndObserve},
    {port::ElementEventCode::copied, nullptr, "<$T> copied {$E} from {$P}", ElementEvent::nothing,
     ElementEvent::attachAndObserve},
    {port::ElementEventCode::changed, "<$T> window/door changed {$E}", "<$T> changed {$P} -> {$E}",
     ElementEvent::attach, ElementEvent::attach},
    {port::ElementEventCode::edited, "<$T> edited in place {$E}", "<$T> edited {$P} -> {$E}", ElementEvent::attach,
     ElementEvent::attach},
    {port::ElementEventCode::deleted, "<$T> deleted {$E}", nullptr, ElementEvent::nothing, ElementEvent::nothing},
    {port::ElementEventCode::undoCreated, "undone <$T> created {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {port::ElementEventCode::undoModified, "undone <$T> modified {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {port::ElementEventCode::undoDeleted, "undone <$T> deleted {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {port::ElementEventCode::redoCreated, "redone <$T> created {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {port::ElementEventCode::redoModified, "redone <$T> modified {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {port::ElementEventCode::redoDeleted, "redone <$T> deleted {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    // The user's own edits of catalogue properties stay.
    {port::ElementEventCode::propertyValueChanged, "<$T> property value changed {$E}", nullptr, ElementEvent::nothing,
     ElementEvent::nothing},
    {port::ElementEventCode::classificationChanged, "<$T> classification changed {$E}", nullptr, ElementEvent::attach,
     ElementEvent::attach},
};

const ElementEvent* FindElementEvent(port::ElementEventCode code)
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
// kept for the next event or refresh. `operation` names the operation in the log.
void Observe(const API_Guid& guid, const char* operation)
{
    GSErrCode err = NoError;
    for (int attempt = 0; attempt < 2; ++attempt) {
        err = port::AttachObserver(guid);
        if (err == NoError) {
            unobserved.erase(guid);
            return;
        }
        LogArchicadErrorCodeMessage(err, operation, port::attachObserverCall);
    }
    unobserved.insert(guid);
}

// Runs inside a command (the host's own, or the caller's).
void ObserveTheUnobserved()
{
    for (const API_Guid& guid : std::vector<API_Guid>(unobserved.begin(), unobserved.end())) {
        const GSErrCode err = port::AttachObserver(guid);
        if (err == NoError || err == hosterr::badId || err == hosterr::deleted)
            unobserved.erase(guid); // observed, or gone
        else
            LogArchicadErrorCodeMessage(err, "ObserveTheUnobserved::", port::attachObserverCall);
    }
}

GSErrCode Handle(const port::ElementEvent& event)
{
    if (event.code == port::ElementEventCode::beginEvents || event.code == port::ElementEventCode::endEvents) {
        GS::UniString name;
        port::DatabaseName(event.database, name);
        DBPrintf("### Element_Manager: %s notification on database \"%s\"\n",
                 event.code == port::ElementEventCode::beginEvents ? "Begin Events" : "End Events",
                 name.ToCStr().Get());
        return NoError;
    }
    const port::ElemHead& head = event.element;
    char typeName[256] = {};
    if (const GSErrCode named = GetElementTypeString(head, typeName); named == hosterr::badElementType)
        return NoError; // a type the add-on has no business with
    else if (named != NoError)
        std::snprintf(typeName, sizeof typeName, "type %d",
                      static_cast<int>(head.hostType)); // logged; only for the line
    if (!unobserved.empty())
        ObserveTheUnobserved();
    if (port::IsShell(head.kind))
        return AttachTwice(head.guid, [&] { return ElemPlacedEventHandler(event); });

    API_Guid parent = APINULLGuid;
    GSErrCode parentRead = NoError;
    for (int attempt = 0; attempt < 2; ++attempt) {
        parentRead = port::ParentElement(parent);
        if (ReadSucceeded(parentRead, "ElementEventHandlerProc::", port::parentElementCall,
                          hosterr::badId)) // none: no parent
            break;
    }
    const bool hasParent = parentRead == NoError;
    const ElementEvent* row = FindElementEvent(event.code);
    if (row == nullptr)
        return NoError;
    const char* line = hasParent && row->withParent != nullptr ? row->withParent : row->alone;
    if (line != nullptr)
        DBPrintf("%s",
                 DebugLine(line, typeName, GuidText(head.guid), hasParent ? GuidText(parent) : std::string()).c_str());
    // Not knowing whether there is a parent, the element gets what either case would give it:
    // looking after an element the add-on need not is harmless, leaving one alone is not.
    const ElementEvent::Then then = hasParent                      ? row->thenWithParent
                                    : parentRead == hosterr::badId ? row->then
                                                                   : std::max(row->then, row->thenWithParent);
    if (then == ElementEvent::attachAndObserve)
        Observe(head.guid, "ElementEventHandlerProc::");
    if (then == ElementEvent::nothing)
        return NoError;
    return AttachTwice(head.guid, [&] { return AttachKVProperties(head); });
}

} // namespace

void InstallElementEventHandler()
{
    port::InstallElementEventHandler(ElementEventHandlerProc);
}

GSErrCode ElementEventHandlerProc(const port::ElementEvent& event)
{
    if (handling)
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

int ElemPlacedEventHandler(const port::ElementEvent& event)
{
    const port::ElementEventCode code = event.code;
    if (code != port::ElementEventCode::created && code != port::ElementEventCode::changed)
        return NoError;
    port::Element element;
    if (GSErrCode err = port::GetElement(event.element.guid, element); err != NoError) {
        LogArchicadErrorCodeMessage(err, "WallPlacedEventHandler::", port::getElementCall);
        return err;
    }
    if (code == port::ElementEventCode::created)
        Observe(element.head.guid, "WallPlacedEventHandler::");
    auto structure = StructureOf(element.head.guid);
    if (!structure) {
        LogError("ElemPlacedEventHandler: Unexpected element type");
        return texts::notHandled;
    }
    const bool composite = structure->structure == port::Structure::composite;
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
        return WriteElementProperties(element.head.guid, properties, nullptr);
    } else if (code == port::ElementEventCode::changed) {
        SetDefaultValuesForKorvelProperties(element.head.guid);
    }
    return NoError;
}

int AttachKVProperties(const port::ElemHead& head)
{
    GS::UniString name;
    if (IsNamedByIfc(head.kind)) {
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
    attachedItem = (IsNamedByIfc(head.kind) ? "the type \"" : "the library part \"") + name.ToUtf8() + "\"";
    GS::UniString text;
    GSErrCode code = NoError;
    if (ReadRecord(name, text, &code)) {
        KorvelProperties properties;
        if (!ReadStoredList(text, texts::RecordName(name.ToUtf8()), properties))
            return code;
        port::Element element;
        if (GSErrCode err = port::GetElement(head.guid, element); err != NoError) {
            LogArchicadErrorCodeMessage(err, "AttachKVProperties::", port::getElementCall);
            return err;
        }
        return WriteElementProperties(head.guid, properties, nullptr);
    }
    if (!IsNamedByIfc(head.kind))
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
    if (GSErrCode err = port::ElementList(port::ElemKind::any, elements, port::editableOnly | port::onVisibleLayers);
        err != NoError) {
        LogArchicadErrorCodeMessage(err, "AttachKVProperties::", port::elementListCall);
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
        port::Element element;
        if (GSErrCode err = port::GetElement(guid, element); err != NoError) {
            LogArchicadErrorCodeMessage(err, "AttachKVProperties::", port::getElementCall);
            failed(err);
            continue;
        }
        bool placedFromPart = false;
        GSErrCode error = NoError;
        const GS::UniString partName = LibraryPartName(element.head, &placedFromPart, &error);
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

GSErrCode GetElementsFromAttrib(const port::AttrRef& composite, std::vector<port::Element>& kept)
{
    kept.clear();
    std::vector<API_Guid> users;
    if (GSErrCode err = ElementsBuiltOf(composite.Index(), true, "GetElementsFromAttrib", users); err != NoError)
        return err; // logged
    for (const API_Guid& guid : users) {
        port::Element element;
        if (GSErrCode err = port::GetElement(guid, element); err != NoError) {
            LogArchicadErrorCodeMessage(err, "GetElementsFromAttrib::", port::getElementCall);
            return err;
        }
        kept.push_back(element);
    }
    return NoError;
}

} // namespace KRV
