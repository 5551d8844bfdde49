// Elements as the host keeps them: one record union per element, quantities (one record for
// every type in generation 26, a record per type in 29), segments in the element memo.
// Where generation 29 answers a case with another error code, the port gives the add-on the
// code it knows for that case.
#include "Elements.hpp"

#include <cstring>
#include <utility>

#include "ACAPinc.h"
#include "BM.h"
#include "CatchAll.hpp"
#include "internal/Generation.hpp"

namespace KRV::port {

const char* const elementListCall = "ACAPI_Element_GetElemList";
const char* const getElementCall = "ACAPI_Element_Get";
const char* const changeElementCall = "ACAPI_Element_Change";
const char* const quantitiesCall = "ACAPI_Element_GetQuantities";
const char* const segmentsCall = "ACAPI_Element_GetMemo";
const char* const attachObserverCall = "ACAPI_Element_AttachObserver";

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
    const API_ElemTypeID type = gen::TypeOf(head);
    return ElemHead{head.guid, KindOf(type), static_cast<Int32>(type)};
}

API_Elem_Head HostHead(const ElemHead& head)
{
    API_Elem_Head host{};
    gen::SetType(host, head.kind == ElemKind::other ? static_cast<API_ElemTypeID>(head.hostType) : TypeOf(head.kind));
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
    switch (gen::TypeOf(record.header)) {
    case API_WallID:
        element.shell = ShellStructure{StructureOf(record.wall.modelElemStructureType),
                                       gen::IndexOf(record.wall.composite), gen::IndexOf(record.wall.buildingMaterial),
                                       gen::IndexOf(record.wall.profileAttr), record.wall.thickness};
        // Generation 29's walls have geometry kinds only: none of them is measured by its surface.
        element.wallType = static_cast<short>(record.wall.type);
        element.wallThicknessEnd = record.wall.thickness1;
        break;
    case API_SlabID:
        element.shell =
            ShellStructure{StructureOf(record.slab.modelElemStructureType), gen::IndexOf(record.slab.composite),
                           gen::IndexOf(record.slab.buildingMaterial), 0, record.slab.thickness};
        break;
    case API_RoofID:
        element.shell = ShellStructure{
            StructureOf(record.roof.shellBase.modelElemStructureType), gen::IndexOf(record.roof.shellBase.composite),
            gen::IndexOf(record.roof.shellBase.buildingMaterial), 0, record.roof.shellBase.thickness};
        break;
#if KORVEL_HOST_GENERATION >= 29
    case API_WindowID:
    case API_DoorID:
        element.libraryPart = record.window.openingBase.libInd;
        break;
    case API_ObjectID:
        element.libraryPart = record.object.libInd;
        element.standsFor = static_cast<Int32>(record.object.ownerType.typeID);
        break;
#else
    case API_WindowID:
    case API_DoorID:
    case API_ObjectID:
        element.libraryPart = record.object.libInd;
        element.standsFor = record.object.relatedElemType;
        break;
#endif
    default:
        break;
    }
    return NoError;
}

GSErrCode ChangeShellComposite(const Element& element, Int32 composite)
{
    API_Element record{};
    API_Element mask{};
    ACAPI_ELEMENT_MASK_CLEAR(mask);
    record.header = HostHead(element.head);
    // Only the composite is written: the rest of the element stays as the host has it now.
    switch (gen::TypeOf(record.header)) {
    case API_WallID:
        record.wall.composite = gen::HostIndex(composite);
        ACAPI_ELEMENT_MASK_SET(mask, API_WallType, composite);
        break;
    case API_SlabID:
        record.slab.composite = gen::HostIndex(composite);
        ACAPI_ELEMENT_MASK_SET(mask, API_SlabType, composite);
        break;
    case API_RoofID:
        record.roof.shellBase.composite = gen::HostIndex(composite);
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
    API_QuantitiesMask mask{};
    ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(mask);
    API_QuantityPar params{};
    const GSErrCode err = ACAPI_Element_GetQuantities(element.guid, &params, &all, &mask);
#if KORVEL_HOST_GENERATION >= 29
    // A record per kind: each measure from the member of the element's kind that holds it.
    switch (element.kind) {
    case ElemKind::wall:
        quantities.volume = quantity.wall.volume;
        quantities.surface = quantity.wall.surface1;
        break;
    case ElemKind::column:
        quantities.height = quantity.column.maxHeight;
        quantities.sides[0] = quantity.column.coreSurface;
        quantities.sides[1] = quantity.column.veneSurface;
        quantities.volume = quantity.column.coreVolume + quantity.column.veneVolume;
        break;
    case ElemKind::beam:
        quantities.length = quantity.beam.rightLength;
        quantities.sides[0] = quantity.beam.bottomSurface;
        quantities.sides[1] = quantity.beam.topSurface;
        quantities.sides[2] = quantity.beam.edgeSurfaceLeft;
        quantities.sides[3] = quantity.beam.edgeSurfaceRight;
        quantities.sides[4] = quantity.beam.edgeSurface;
        quantities.volume = quantity.beam.volume;
        break;
    case ElemKind::window:
    case ElemKind::door:
        quantities.width = quantity.window.width1;
        quantities.height = quantity.window.height1;
        quantities.surface = quantity.window.surface;
        quantities.volume = quantity.window.volume;
        break;
    case ElemKind::slab:
        quantities.volume = quantity.slab.volume;
        break;
    case ElemKind::roof:
        quantities.volume = quantity.roof.volume;
        break;
    case ElemKind::curtainWall:
        quantities.area = quantity.cw.contourSurface;
        break;
    case ElemKind::stair:
        quantities.volume = quantity.stair.volume;
        break;
    default:
        break;
    }
#else
    quantities.volume = quantity.volume;
    quantities.surface = quantity.surface;
    quantities.area = quantity.area;
    quantities.length = quantity.length;
    quantities.height = quantity.height;
    quantities.width = quantity.width;
    for (std::size_t i = 0; i < 5; ++i)
        quantities.sides[i] = quantity.surfaces[i];
#endif
    return err;
}

GSErrCode ElementBounds(const ElemHead& element, Bounds3D& bounds)
{
    API_ElemInfo3D info{};
#if KORVEL_HOST_GENERATION >= 29
    // A type without 3D answers BADID, an element outside the 3D database GENERAL: no 3D model.
    GSErrCode err = ACAPI_ModelAccess_Get3DInfo(HostHead(element), &info);
    if (err == APIERR_BADID || err == APIERR_GENERAL)
        err = APIERR_NO3D;
#else
    const GSErrCode err = ACAPI_Element_Get3DInfo(HostHead(element), &info);
#endif
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
#if KORVEL_HOST_GENERATION >= 29
    // Arrays of the element's segments; none when it has none.
    const API_AssemblySegmentData* first =
        column ? (memo.columnSegments != nullptr ? &memo.columnSegments[0].assemblySegmentData : nullptr)
               : (memo.beamSegments != nullptr ? &memo.beamSegments[0].assemblySegmentData : nullptr);
#else
    GSHandle segments =
        column ? reinterpret_cast<GSHandle>(memo.columnSegments) : reinterpret_cast<GSHandle>(memo.beamSegments);
    const std::size_t size = column ? sizeof(API_ColumnSegmentType) : sizeof(API_BeamSegmentType);
    const API_AssemblySegmentData* first = nullptr;
    if (segments != nullptr && static_cast<std::size_t>(BMGetHandleSize(segments)) >= size)
        first = column ? &(*memo.columnSegments)[0].assemblySegmentData : &(*memo.beamSegments)[0].assemblySegmentData;
#endif
    if (first != nullptr)
        segment = SegmentStructure{StructureOf(first->modelElemStructureType), gen::IndexOf(first->buildingMaterial),
                                   gen::IndexOf(first->profileAttr)};
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
#if KORVEL_HOST_GENERATION >= 29
    GSErrCode err = ACAPI_Notification_GetParentElement(&record, nullptr, 0, &userData);
    if (err == APIERR_REFUSEDCMD)
        err = APIERR_BADID; // no parent element
#else
    const GSErrCode err = ACAPI_Notify_GetParentElement(&record, nullptr, 0, &userData);
#endif
    NothingEscapes("HandleGuard", [&] { BMKillHandle(&userData.dataHdl); });
    parent = record.header.guid;
    return err;
}

GSErrCode ElementTypeName(const ElemHead& element, GS::UniString& name)
{
#if KORVEL_HOST_GENERATION >= 29
    const GSErrCode err = ACAPI_Element_GetElemTypeName(gen::TypeOf(HostHead(element)), name);
    return err == APIERR_BADID ? APIERR_BADELEMENTTYPE : err; // a type without a name
#else
    return ACAPI_Goodies_GetElemTypeName(HostHead(element).typeID, name);
#endif
}

GSErrCode ElementLibraryPartId(const ElemHead& element, std::string& uniqueId)
{
    char id[API_UniIDLen] = {};
    API_Elem_Head head = HostHead(element);
#if KORVEL_HOST_GENERATION >= 29
    GSErrCode err = ACAPI_LibraryPart_GetElemLibPartUnId(&head, id);
    if (err == APIERR_BADID)
        err = APIERR_BADELEMENTTYPE; // not GDL-based: not placed from a library part
#else
    const GSErrCode err = ACAPI_Goodies(APIAny_GetElemLibPartUnIdID, &head, id);
#endif
    uniqueId = std::string(id, strnlen(id, sizeof id));
    return err;
}

GSErrCode ElementInfoString(const API_Guid& element, GS::UniString& info)
{
    API_Guid guid = element;
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_Element_GetElementInfoString(&guid, &info);
#else
    return ACAPI_Database(APIDb_GetElementInfoStringID, &guid, &info);
#endif
}

void InstallElementEventHandler(ElementEventHandler handler)
{
    installedHandler = handler;
#if KORVEL_HOST_GENERATION >= 29
    ACAPI_Element_CatchNewElement(nullptr, Trampoline);
    ACAPI_Element_InstallElementObserver(Trampoline);
#else
    ACAPI_Notify_CatchNewElement(nullptr, Trampoline);
    ACAPI_Notify_InstallElementObserver(Trampoline);
#endif
}

} // namespace KRV::port
