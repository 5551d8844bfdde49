// Elements as generation 26 keeps them: one record union per element, one quantity record
// for every type, segments in the element memo, request functions for names and part ids.
#include "Elements.hpp"

#include <cstring>
#include <utility>

#include "ACAPinc.h"
#include "BM.h"
#include "CatchAll.hpp"

namespace KRV::port {

const char* const elementListCall = "ACAPI_Element_GetElemList";
const char* const getElementCall = "ACAPI_Element_Get";
const char* const changeElementCall = "ACAPI_Element_Change";
const char* const quantitiesCall = "ACAPI_Element_GetQuantities";
const char* const bounds3DCall = "ACAPI_Element_Get3DInfo";
const char* const segmentsCall = "ACAPI_Element_GetMemo";
const char* const attachObserverCall = "ACAPI_Element_AttachObserver";
const char* const parentElementCall = "ACAPI_Notify_GetParentElement";
const char* const elementTypeNameCall = "ACAPI_Goodies_GetElemTypeName";
const char* const elementPartIdCall = "ACAPI_Goodies GetElemLibPartUnId";
const char* const elementInfoCall = "ACAPI_Database GetElementInfoString";

namespace {

// The element kinds the add-on has, and the host's type of each.
const std::pair<ElemKind, API_ElemTypeID> kindTypes[] = {
    {ElemKind::any, API_ZombieElemID}, {ElemKind::wall, API_WallID},
    {ElemKind::column, API_ColumnID},  {ElemKind::beam, API_BeamID},
    {ElemKind::window, API_WindowID},  {ElemKind::door, API_DoorID},
    {ElemKind::object, API_ObjectID},  {ElemKind::slab, API_SlabID},
    {ElemKind::roof, API_RoofID},      {ElemKind::curtainWall, API_CurtainWallID},
    {ElemKind::stair, API_StairID},
};

API_ElemTypeID TypeOf(ElemKind kind)
{
    for (const auto& [k, type] : kindTypes)
        if (k == kind)
            return type;
    return API_ZombieElemID;
}

ElemKind KindOf(API_ElemTypeID type)
{
    for (const auto& [kind, t] : kindTypes)
        if (t == type)
            return kind;
    return ElemKind::other;
}

ElemHead PortHead(const API_Elem_Head& head)
{
    return ElemHead{head.guid, KindOf(head.typeID), static_cast<Int32>(head.typeID)};
}

API_Elem_Head HostHead(const ElemHead& head)
{
    API_Elem_Head host{};
    host.typeID = head.kind == ElemKind::other ? static_cast<API_ElemTypeID>(head.hostType) : TypeOf(head.kind);
    host.guid = head.guid;
    return host;
}

Structure StructureOf(API_ModelElemStructureType type)
{
    return type == API_CompositeStructure ? Structure::composite
           : type == API_ProfileStructure ? Structure::profile
                                          : Structure::basic;
}

ElementEventCode CodeOf(API_ElementDBEventID id)
{
    switch (id) {
    case APINotifyElement_BeginEvents:
        return ElementEventCode::beginEvents;
    case APINotifyElement_EndEvents:
        return ElementEventCode::endEvents;
    case APINotifyElement_New:
        return ElementEventCode::created;
    case APINotifyElement_Copy:
        return ElementEventCode::copied;
    case APINotifyElement_Change:
        return ElementEventCode::changed;
    case APINotifyElement_Edit:
        return ElementEventCode::edited;
    case APINotifyElement_Delete:
        return ElementEventCode::deleted;
    case APINotifyElement_Undo_Created:
        return ElementEventCode::undoCreated;
    case APINotifyElement_Undo_Modified:
        return ElementEventCode::undoModified;
    case APINotifyElement_Undo_Deleted:
        return ElementEventCode::undoDeleted;
    case APINotifyElement_Redo_Created:
        return ElementEventCode::redoCreated;
    case APINotifyElement_Redo_Modified:
        return ElementEventCode::redoModified;
    case APINotifyElement_Redo_Deleted:
        return ElementEventCode::redoDeleted;
    case APINotifyElement_PropertyValueChange:
        return ElementEventCode::propertyValueChanged;
    case APINotifyElement_ClassificationChange:
        return ElementEventCode::classificationChanged;
    default:
        return ElementEventCode::other;
    }
}

ElementEventHandler installedHandler = nullptr;

GSErrCode Trampoline(const API_NotifyElementType* event)
{
    if (event == nullptr || installedHandler == nullptr)
        return NoError;
    ElementEvent portEvent;
    portEvent.code = CodeOf(event->notifID);
    portEvent.element = PortHead(event->elemHead);
    portEvent.database = event->databaseId.elemSetId;
    return installedHandler(portEvent);
}

} // namespace

GSErrCode ElementList(ElemKind kind, GS::Array<API_Guid>& elements, UInt32 filter)
{
    return ACAPI_Element_GetElemList(TypeOf(kind), &elements, filter, APINULLGuid);
}

GSErrCode GetElement(const API_Guid& guid, Element& element)
{
    API_Element record{};
    record.header.guid = guid;
    const GSErrCode err = ACAPI_Element_Get(&record);
    element = Element{};
    element.head = PortHead(record.header);
    if (err != NoError)
        return err;
    switch (record.header.typeID) {
    case API_WallID:
        element.shell = ShellStructure{StructureOf(record.wall.modelElemStructureType), record.wall.composite,
                                       record.wall.buildingMaterial, record.wall.profileAttr, record.wall.thickness};
        element.wallType = record.wall.type;
        element.wallThicknessEnd = record.wall.thickness1;
        break;
    case API_SlabID:
        element.shell = ShellStructure{StructureOf(record.slab.modelElemStructureType), record.slab.composite,
                                       record.slab.buildingMaterial, 0, record.slab.thickness};
        break;
    case API_RoofID:
        element.shell =
            ShellStructure{StructureOf(record.roof.shellBase.modelElemStructureType), record.roof.shellBase.composite,
                           record.roof.shellBase.buildingMaterial, 0, record.roof.shellBase.thickness};
        break;
    case API_WindowID:
    case API_DoorID:
    case API_ObjectID:
        element.libraryPart = record.object.libInd;
        element.standsFor = record.object.relatedElemType;
        break;
    default:
        break;
    }
    return NoError;
}

GSErrCode ChangeShellComposite(const Element& element, Int32 composite)
{
    API_Element record{};
    API_Element mask;
    ACAPI_ELEMENT_MASK_CLEAR(mask);
    record.header = HostHead(element.head);
    // Only the composite is written: the rest of the element stays as the host has it now.
    switch (record.header.typeID) {
    case API_WallID:
        record.wall.composite = composite;
        ACAPI_ELEMENT_MASK_SET(mask, API_WallType, composite);
        break;
    case API_SlabID:
        record.slab.composite = composite;
        ACAPI_ELEMENT_MASK_SET(mask, API_SlabType, composite);
        break;
    case API_RoofID:
        record.roof.shellBase.composite = composite;
        ACAPI_ELEMENT_MASK_SET(mask, API_RoofType, shellBase.composite);
        break;
    default:
        return APIERR_BADELEMENTTYPE;
    }
    return ACAPI_Element_Change(&record, &mask, nullptr, 0, true);
}

GSErrCode ElementQuantities(const ElemHead& element, Quantities& quantities)
{
    quantities = Quantities{};
    API_ElementQuantity quantity{};
    API_Quantities all{};
    all.elements = &quantity;
    API_QuantitiesMask mask;
    ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(mask);
    API_QuantityPar params{};
    const GSErrCode err = ACAPI_Element_GetQuantities(element.guid, &params, &all, &mask);
    quantities.volume = quantity.volume;
    quantities.surface = quantity.surface;
    quantities.area = quantity.area;
    quantities.length = quantity.length;
    quantities.height = quantity.height;
    quantities.width = quantity.width;
    for (std::size_t i = 0; i < 5; ++i)
        quantities.sides[i] = quantity.surfaces[i];
    return err;
}

GSErrCode ElementBounds(const ElemHead& element, Bounds3D& bounds)
{
    API_ElemInfo3D info{};
    const GSErrCode err = ACAPI_Element_Get3DInfo(HostHead(element), &info);
    bounds = Bounds3D{info.bounds.xMin, info.bounds.yMin, info.bounds.zMin,
                      info.bounds.xMax, info.bounds.yMax, info.bounds.zMax};
    return err;
}

GSErrCode WithFirstSegment(const ElemHead& element,
                           const std::function<void(const std::optional<SegmentStructure>& segment)>& visit)
{
    const bool column = element.kind == ElemKind::column;
    API_ElementMemo memo{};
    struct Release {
        API_ElementMemo& memo;
        ~Release()
        {
            NothingEscapes("MemoGuard", [&] { ACAPI_DisposeElemMemoHdls(&memo); });
        }
    } release{memo};
    const GSErrCode err =
        ACAPI_Element_GetMemo(element.guid, &memo, column ? APIMemoMask_ColumnSegment : APIMemoMask_BeamSegment);
    if (err != NoError)
        return err;
    std::optional<SegmentStructure> segment;
    GSHandle segments =
        column ? reinterpret_cast<GSHandle>(memo.columnSegments) : reinterpret_cast<GSHandle>(memo.beamSegments);
    const std::size_t size = column ? sizeof(API_ColumnSegmentType) : sizeof(API_BeamSegmentType);
    if (segments != nullptr && static_cast<std::size_t>(BMGetHandleSize(segments)) >= size) {
        const API_AssemblySegmentData& first =
            column ? (*memo.columnSegments)[0].assemblySegmentData : (*memo.beamSegments)[0].assemblySegmentData;
        segment =
            SegmentStructure{StructureOf(first.modelElemStructureType), first.buildingMaterial, first.profileAttr};
    }
    visit(segment);
    return NoError;
}

GSErrCode AttachObserver(const API_Guid& element)
{
    return ACAPI_Element_AttachObserver(element, 0);
}

GSErrCode ParentElement(API_Guid& parent)
{
    API_Element record{};
    API_ElementUserData userData{};
    const GSErrCode err = ACAPI_Notify_GetParentElement(&record, nullptr, 0, &userData);
    NothingEscapes("HandleGuard", [&] { BMKillHandle(&userData.dataHdl); });
    parent = record.header.guid;
    return err;
}

GSErrCode ElementTypeName(const ElemHead& element, GS::UniString& name)
{
    return ACAPI_Goodies_GetElemTypeName(HostHead(element).typeID, name);
}

GSErrCode ElementLibraryPartId(const ElemHead& element, std::string& uniqueId)
{
    char id[API_UniIDLen] = {};
    API_Elem_Head head = HostHead(element);
    const GSErrCode err = ACAPI_Goodies(APIAny_GetElemLibPartUnIdID, &head, id);
    uniqueId = std::string(id, strnlen(id, sizeof id));
    return err;
}

GSErrCode ElementInfoString(const API_Guid& element, GS::UniString& info)
{
    API_Guid guid = element;
    return ACAPI_Database(APIDb_GetElementInfoStringID, &guid, &info);
}

void InstallElementEventHandler(ElementEventHandler handler)
{
    installedHandler = handler;
    ACAPI_Notify_CatchNewElement(nullptr, Trampoline);
    ACAPI_Notify_InstallElementObserver(Trampoline);
}

} // namespace KRV::port
