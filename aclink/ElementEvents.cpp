// Element events: placed, copied and changed elements carry the catalogue data of what they are.
#include "ElementEvents.hpp"

#include <cstring>
#include <memory>

#include "APIdefs_LibParts.h"
#include "APIdefs_UserData.h"
#include "CatchAll.hpp"
#include "Classification.hpp"
#include "DBPrintf.h"
#include "ElementNames.hpp"
#include "ElementStructure.hpp"
#include "ErrorMessages.hpp"
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
    std::optional<GS::UniString> record = ReadModulData(name, "AttachKVProperties::ACAPI_ModulData_Get", *code);
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
    if (read != NoError && read != APIERR_BADELEMENTTYPE) {
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
        if (err != APIERR_BADID) {
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

GSErrCode Handle(const API_NotifyElementType* event)
{
    if (event->notifID == APINotifyElement_BeginEvents || event->notifID == APINotifyElement_EndEvents) {
        API_DatabaseInfo info{};
        info.databaseUnId = event->databaseId;
        ACAPI_Database(APIDb_GetDatabaseInfoID, &info);
        DBPrintf("### Element_Manager: %s notification on database \"%s\"\n",
                 event->notifID == APINotifyElement_BeginEvents ? "Begin Events" : "End Events",
                 info.name.ToCStr().Get());
        return NoError;
    }
    char typeName[256] = {};
    if (!GetElementTypeString(event->elemHead.typeID, typeName))
        return NoError; // a type the add-on has no business with, or a failure (logged)
    const API_ElemTypeID type = event->elemHead.typeID;
    if (IsShell(type))
        return ElemPlacedEventHandler(event);

    API_Element parent{};
    API_ElementUserData userData{};
    const GSErrCode parentRead = ACAPI_Notify_GetParentElement(&parent, nullptr, 0, &userData);
    ReadSucceeded(parentRead, "ElementEventHandlerProc::ACAPI_Notify_GetParentElement",
                  APIERR_BADID); // none: no parent
    const bool hasParent = parentRead == NoError;
    HandleGuard parentData(userData.dataHdl);
    const ElementEvent* row = FindElementEvent(event->notifID);
    if (row == nullptr)
        return NoError;
    const char* line = hasParent && row->withParent != nullptr ? row->withParent : row->alone;
    if (line != nullptr)
        DBPrintf("%s", DebugLine(line, typeName, GuidText(event->elemHead.guid),
                                 hasParent ? GuidText(parent.header.guid) : std::string())
                           .c_str());
    const ElementEvent::Then then = hasParent ? row->thenWithParent : row->then;
    if (then == ElementEvent::attachAndObserve)
        if (GSErrCode err = ACAPI_Element_AttachObserver(event->elemHead.guid, 0); err != NoError)
            LogArchicadErrorCodeMessage(err, "ElementEventHandlerProc::ACAPI_Element_AttachObserver");
    return then != ElementEvent::nothing ? AttachKVProperties(event->elemHead) : NoError;
}

} // namespace

GSErrCode ElementEventHandlerProc(const API_NotifyElementType* event)
{
    if (event == nullptr || handling)
        return NoError;
    handling = true;
    GSErrCode result = CatchAll<GSErrCode>(
        "ElementEventHandlerProc", [&] { return Handle(event); }, APIERR_GENERAL);
    handling = false;
    return result;
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
        if (GSErrCode err = ACAPI_Element_AttachObserver(element.header.guid, 0); err != NoError)
            LogArchicadErrorCodeMessage(err, "WallPlacedEventHandler::ACAPI_Element_AttachObserver");
    auto structure = StructureOf(element.header.guid);
    if (!structure) {
        LogError("ElemPlacedEventHandler: Unexpected element type");
        return texts::notHandled;
    }
    API_Attribute attribute{};
    if (structure->modelElemStructureType == API_CompositeStructure) {
        attribute.header.typeID = API_CompWallID;
        attribute.header.index = structure->composite;
    } else {
        attribute.header.typeID = API_BuildingMaterialID;
        attribute.header.index = structure->buildingMaterial;
    }
    if (GSErrCode err = ACAPI_Attribute_Get(&attribute); err != NoError) {
        LogArchicadErrorCodeMessage(err, "WallPlacedEventHandler::ACAPI_Attribute_Get");
        return err;
    }
    GS::UniString text;
    if (GSErrCode err = GetUserData(attribute, text); err != NoError && err != APIERR_NOUSERDATA)
        return err; // logged: not knowing its data, the element keeps what it has
    KorvelProperties properties;
    if (!text.IsEmpty() &&
        ReadStoredList(text, "the attribute " + std::to_string(attribute.header.index), properties)) {
        WriteElementProperties(element.header.guid, properties, nullptr);
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
        return APIERR_NOMODULEDATA;
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
        CreateModulData(name, text);
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
                failed(code != NoError ? code : APIERR_GENERAL); // logged
                return result;
            }
            read = true;
        }
        if (GSErrCode err = WriteElementProperties(guid, properties, texts::undoGroupProperties); err != NoError)
            failed(err);
    }
    return result;
}

GSErrCode GetElementsFromAttrib(API_Attribute& composite, std::vector<API_Element>& kept)
{
    kept.clear();
    std::vector<API_Guid> users;
    if (GSErrCode err = ElementsBuiltOf(composite.header.index, true, "GetElementsFromAttrib", users); err != NoError)
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
