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

// The name of the library part an element is placed from ("" when there is none).
GS::UniString LibraryPartName(const API_Elem_Head& head, bool* placedFromPart)
{
    char uniqueId[API_UniIDLen] = {};
    API_Elem_Head copy = head;
    const GSErrCode read = ACAPI_Goodies(APIAny_GetElemLibPartUnIdID, &copy, uniqueId);
    *placedFromPart = read == NoError;
    if (read != NoError && read != APIERR_BADELEMENTTYPE)
        LogArchicadErrorCodeMessage(read, "LibraryPartName::ACAPI_Goodies GetElemLibPartUnId");
    if (!*placedFromPart || uniqueId[0] == '\0')
        return GS::UniString();
    API_LibPart part{};
    std::memcpy(part.ownUnID, uniqueId, sizeof uniqueId);
    LibPartLocationGuard location(part);
    GSErrCode err = ACAPI_LibPart_Search(&part, false, false);
    if (err != NoError) {
        if (err != APIERR_BADID)
            LogArchicadErrorCodeMessage(err, "LibraryPartName::ACAPI_LibPart_Search");
        return GS::UniString();
    }
    return GS::UniString(std::string(part.docu_UName, strnlen(part.docu_UName, API_UniLongNameLen)));
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
    const std::string element = GuidText(event->elemHead.guid);
    const std::string from = hasParent ? GuidText(parent.header.guid) : std::string();
    const char* t = typeName;
    const char* e = element.c_str();
    const char* p = from.c_str();
    bool attach = false;
    bool observe = false;
    switch (event->notifID) {
    case APINotifyElement_New:
        if (hasParent)
            DBPrintf("### Element_Manager: <%s> created {%s} as a copy of {%s}\n", t, e, p);
        else
            DBPrintf("### Element_Manager: <%s> created {%s}\n", t, e);
        attach = observe = true;
        break;
    case APINotifyElement_Copy:
        if (hasParent) {
            DBPrintf("### Element_Manager: <%s> copied {%s} from {%s}\n", t, e, p);
            attach = observe = true;
        }
        break;
    case APINotifyElement_Change:
        if (hasParent)
            DBPrintf("### Element_Manager: <%s> changed {%s} -> {%s}\n", t, p, e);
        else
            DBPrintf("### Element_Manager: <%s> window/door changed {%s}\n", t, e);
        attach = true;
        break;
    case APINotifyElement_Edit:
        if (hasParent)
            DBPrintf("### Element_Manager: <%s> edited {%s} -> {%s}\n", t, p, e);
        else
            DBPrintf("### Element_Manager: <%s> edited in place {%s}\n", t, e);
        attach = true;
        break;
    case APINotifyElement_Delete:
        DBPrintf("### Element_Manager: <%s> deleted {%s}\n", t, e);
        break;
    case APINotifyElement_Undo_Created:
        DBPrintf("### Element_Manager: undone <%s> created {%s}\n", t, e);
        break;
    case APINotifyElement_Undo_Modified:
        DBPrintf("### Element_Manager: undone <%s> modified {%s}\n", t, e);
        break;
    case APINotifyElement_Undo_Deleted:
        DBPrintf("### Element_Manager: undone <%s> deleted {%s}\n", t, e);
        break;
    case APINotifyElement_Redo_Created:
        DBPrintf("### Element_Manager: redone <%s> created {%s}\n", t, e);
        break;
    case APINotifyElement_Redo_Modified:
        DBPrintf("### Element_Manager: redone <%s> modified {%s}\n", t, e);
        break;
    case APINotifyElement_Redo_Deleted:
        DBPrintf("### Element_Manager: redone <%s> deleted {%s}\n", t, e);
        break;
    case APINotifyElement_PropertyValueChange:
        // The user's own edits of catalogue properties stay.
        DBPrintf("### Element_Manager: <%s> property value changed {%s}\n", t, e);
        break;
    case APINotifyElement_ClassificationChange:
        DBPrintf("### Element_Manager: <%s> classification changed {%s}\n", t, e);
        attach = true;
        break;
    default:
        break;
    }
    if (observe)
        if (GSErrCode err = ACAPI_Element_AttachObserver(event->elemHead.guid, 0); err != NoError)
            LogArchicadErrorCodeMessage(err, "ElementEventHandlerProc::ACAPI_Element_AttachObserver");
    return attach ? AttachKVProperties(event->elemHead) : NoError;
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
        name = LibraryPartName(head, &placedFromPart);
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
        const GS::UniString partName = LibraryPartName(element.header, &placedFromPart);
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
