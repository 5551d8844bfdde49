// Elements: lists, records, changes, memos and IFC attributes.
#include <cstring>

#include "APIdefs_Elements.h"
#include "BM.h"
#include "Edge.hpp"
#include "Host.hpp"

using sim::Host;

namespace {

sim::ElementStore& Store()
{
    return Host::Get().GetProject().elements;
}

// Whether any byte of a field is set in a change mask.
template <typename T> bool Marked(const T& field)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&field);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        if (bytes[i] != 0)
            return true;
    return false;
}

// The structure fields of a wall, slab or roof record, wherever the record keeps them.
struct StructureFields {
    API_ModelElemStructureType* type;
    API_AttributeIndex* composite;
    API_AttributeIndex* buildingMaterial;
    API_AttributeIndex* profile;
    double* thickness;
};

StructureFields FieldsOf(API_Element& element)
{
    switch (element.header.typeID) {
    case API_WallID:
        return {&element.wall.modelElemStructureType, &element.wall.composite, &element.wall.buildingMaterial,
                &element.wall.profileAttr, &element.wall.thickness};
    case API_SlabID:
        return {&element.slab.modelElemStructureType, &element.slab.composite, &element.slab.buildingMaterial, nullptr,
                &element.slab.thickness};
    case API_RoofID:
        return {&element.roof.shellBase.modelElemStructureType, &element.roof.shellBase.composite,
                &element.roof.shellBase.buildingMaterial, nullptr, &element.roof.shellBase.thickness};
    default:
        return {nullptr, nullptr, nullptr, nullptr, nullptr};
    }
}

GSFlags KindFlag(sim::ElemKind kind)
{
    return kind == sim::ElemKind::wall   ? APICWall_ForWall
           : kind == sim::ElemKind::slab ? APICWall_ForSlab
                                         : APICWall_ForRoof;
}

} // namespace

namespace sim {

void FillRecord(const Element& e, API_Element& element)
{
    std::memset(static_cast<void*>(&element), 0, sizeof(API_Element));
    element.header.typeID = TypeIdOf(e.kind);
    element.header.guid = e.guid;
    element.header.floorInd = e.floor;
    element.header.databaseId = {Host::Get().GetProject().databases.FloorPlan().id};
    if (const ShellPayload* shell = e.Shell()) {
        StructureFields fields = FieldsOf(element);
        *fields.type = TypeIdOf(shell->structure.kind);
        *fields.composite = shell->structure.composite;
        *fields.buildingMaterial = shell->structure.buildingMaterial;
        if (fields.profile != nullptr)
            *fields.profile = shell->structure.profile;
        *fields.thickness = shell->structure.thickness;
        if (e.kind == ElemKind::wall) {
            element.wall.thickness1 = shell->thicknessEnd;
            element.wall.type = shell->kind;
        }
    }
    if (const MemberPayload* member = e.Member()) {
        const auto count = static_cast<Int32>(member->segments.size());
        if (e.kind == ElemKind::column)
            element.column.nSegments = count;
        else
            element.beam.nSegments = count;
    }
    if (IsPlacedFromLibraryPart(e.kind)) {
        const LibPart* part = Host::Get().GetProject().libParts.FindByUniqueId(e.libraryPart);
        element.object.libInd = part != nullptr ? part->index : 0;
        if (const PlacedPayload* placed = e.Placed())
            element.object.relatedElemType = placed->relatedType;
    }
}

} // namespace sim

void ACAPI_ELEMENT_MASK_SETFULL(API_Element& mask)
{
    std::memset(static_cast<void*>(&mask), 0xFF, sizeof(API_Element));
}

GSErrCode ACAPI_Element_GetElemList(API_ElemTypeID typeID, GS::Array<API_Guid>* elemList, API_ElemFilterFlags,
                                    const API_Guid&)
{
    SIM_ENTER("ACAPI_Element_GetElemList");
    if (elemList == nullptr)
        return APIERR_BADPARS;
    if (typeID == API_ZombieElemID)
        Store().ForEach([&](const sim::Element& e) { elemList->Push(e.guid); });
    else if (std::optional<sim::ElemKind> kind = sim::KindOf(typeID))
        Store().ForEachOfKind(*kind, [&](const sim::Element& e) { elemList->Push(e.guid); });
    return NoError;
}

GSErrCode ACAPI_Element_Get(API_Element* element)
{
    SIM_ENTER("ACAPI_Element_Get");
    if (element == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(element->header.guid);
    if (e == nullptr)
        return APIERR_BADID;
    sim::FillRecord(*e, *element);
    return NoError;
}

template <typename Record> static Record** SegmentsHandle(const std::vector<sim::Segment>& segments)
{
    GSHandle h = BMAllocateHandle(static_cast<GSSize>(segments.size() * sizeof(Record)), ALLOCATE_CLEAR, 0);
    if (h == nullptr)
        return nullptr;
    auto* records = reinterpret_cast<Record*>(*h);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        API_AssemblySegmentData& data = records[i].assemblySegmentData;
        data.modelElemStructureType = sim::TypeIdOf(segments[i].kind);
        data.buildingMaterial = segments[i].buildingMaterial;
        data.profileAttr = segments[i].profile;
    }
    return reinterpret_cast<Record**>(h);
}

GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask)
{
    SIM_ENTER("ACAPI_Element_GetMemo");
    if (memo == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(guid);
    if (e == nullptr)
        return APIERR_BADID;
    std::memset(memo, 0, sizeof(API_ElementMemo));
    if (const sim::MemberPayload* member = e->Member()) {
        if (e->kind == sim::ElemKind::column && (mask & APIMemoMask_ColumnSegment) != 0) {
            memo->columnSegments = SegmentsHandle<API_ColumnSegmentType>(member->segments);
            if (memo->columnSegments == nullptr)
                return APIERR_MEMFULL;
        }
        if (e->kind == sim::ElemKind::beam && (mask & APIMemoMask_BeamSegment) != 0) {
            memo->beamSegments = SegmentsHandle<API_BeamSegmentType>(member->segments);
            if (memo->beamSegments == nullptr)
                return APIERR_MEMFULL;
        }
    }
    return NoError;
}

GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo)
{
    SIM_ENTER("ACAPI_DisposeElemMemoHdls");
    if (memo == nullptr)
        return APIERR_BADPARS;
    BMKillHandle(&memo->params);
    BMKillHandle(reinterpret_cast<GSHandle*>(&memo->columnSegments));
    BMKillHandle(reinterpret_cast<GSHandle*>(&memo->beamSegments));
    return NoError;
}

void ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(API_QuantitiesMask& mask)
{
    std::memset(&mask, 0xFF, sizeof(API_QuantitiesMask));
}

GSErrCode ACAPI_Element_GetQuantities(const API_Guid& guid, const API_QuantityPar*, API_Quantities* quantities,
                                      const API_QuantitiesMask* mask)
{
    SIM_ENTER("ACAPI_Element_GetQuantities");
    if (quantities == nullptr || quantities->elements == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(guid);
    if (e == nullptr)
        return APIERR_BADID;
    const sim::ElementQuantities& q = e->quantities;
    API_ElementQuantity all{};
    all.volume = q.volume;
    all.surface = q.surface;
    all.area = q.area;
    all.length = q.length;
    all.height = q.height;
    all.width = q.width;
    for (std::size_t i = 0; i < q.surfaces.size() && i < 5; ++i)
        all.surfaces[i] = q.surfaces[i];
    API_ElementQuantity& out = *quantities->elements;
    // Only the fields the mask asks for are filled.
    auto take = [&](double& target, const double& value, const double& marked) {
        if (mask == nullptr || Marked(marked))
            target = value;
    };
    const API_ElementQuantity* m = mask != nullptr ? &mask->elements : &all;
    take(out.volume, all.volume, m->volume);
    take(out.surface, all.surface, m->surface);
    take(out.area, all.area, m->area);
    take(out.length, all.length, m->length);
    take(out.height, all.height, m->height);
    take(out.width, all.width, m->width);
    for (int i = 0; i < 5; ++i)
        take(out.surfaces[i], all.surfaces[i], m->surfaces[i]);
    if (quantities->composites != nullptr)
        quantities->composites->Clear();
    return NoError;
}

GSErrCode ACAPI_Element_Get3DInfo(const API_Elem_Head& head, API_ElemInfo3D* info3D)
{
    SIM_ENTER("ACAPI_Element_Get3DInfo");
    if (info3D == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(head.guid);
    if (e == nullptr)
        return APIERR_BADID;
    const sim::PlacedPayload* placed = e->Placed();
    if (placed == nullptr || !placed->hasBox)
        return APIERR_NO3D;
    const sim::Box3D& box = placed->box;
    info3D->bounds = {box.xMin, box.yMin, box.zMin, box.xMax, box.yMax, box.zMax};
    return NoError;
}

GSErrCode ACAPI_Element_Change(API_Element* element, const API_Element* mask, const API_ElementMemo*, UInt64, bool)
{
    SIM_ENTER_ELEMENT_CHANGE("ACAPI_Element_Change");
    if (element == nullptr || mask == nullptr)
        return APIERR_BADPARS;
    sim::Element* e = Store().Find(element->header.guid);
    if (e == nullptr)
        return APIERR_BADID;
    sim::ShellPayload* shell = e->Shell();
    if (shell == nullptr)
        return NoError; // nothing of other types can be changed through the record here
    API_Element changed = *element;
    changed.header.typeID = sim::TypeIdOf(e->kind);
    API_Element marks = *mask;
    marks.header.typeID = sim::TypeIdOf(e->kind);
    StructureFields in = FieldsOf(changed);
    StructureFields marked = FieldsOf(marks);
    sim::Structure result = shell->structure;
    if (Marked(*marked.type)) {
        std::optional<sim::StructureKind> kind = sim::KindOf(*in.type);
        if (!kind)
            return APIERR_BADPARS;
        result.kind = *kind;
    }
    if (Marked(*marked.composite))
        result.composite = *in.composite;
    if (Marked(*marked.buildingMaterial))
        result.buildingMaterial = *in.buildingMaterial;
    if (in.profile != nullptr && Marked(*marked.profile))
        result.profile = *in.profile;
    if (Marked(*marked.thickness))
        result.thickness = *in.thickness;
    const sim::AttributeStore& attributes = Host::Get().GetProject().attributes;
    if (result.kind == sim::StructureKind::composite) {
        // The host keeps a composite off the kinds of element its flags exclude.
        const sim::Attribute* composite = attributes.Find(sim::AttrKind::composite, result.composite);
        if (composite == nullptr)
            return APIERR_BADINDEX;
        if ((composite->flags & KindFlag(e->kind)) == 0)
            return APIERR_BADPARS;
    } else if (result.kind == sim::StructureKind::basic &&
               attributes.Find(sim::AttrKind::buildingMaterial, result.buildingMaterial) == nullptr) {
        return APIERR_BADINDEX;
    }
    shell->structure = result;
    return NoError;
}

GSErrCode ACAPI_Element_GetIFCAttributes(const API_Guid& guid, bool, GS::Array<API_IFCAttribute>* ifcAttributes)
{
    SIM_ENTER("ACAPI_Element_GetIFCAttributes");
    if (ifcAttributes == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(guid);
    if (e == nullptr)
        return APIERR_BADID;
    ifcAttributes->Clear();
    for (const auto& [name, value] : e->ifcAttributes)
        ifcAttributes->Push({GS::UniString(name), GS::UniString(value)});
    return NoError;
}

static void FillDatabase(const sim::Database& database, API_DatabaseInfo& info)
{
    info.typeID = sim::TypeIdOf(database.type);
    info.databaseUnId = {database.id};
    info.name = GS::UniString(database.name);
}

GSErrCode ACAPI_Database(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Database", code);
    if (par1 == nullptr)
        return APIERR_BADPARS;
    sim::DatabaseStore& databases = Host::Get().GetProject().databases;
    switch (code) {
    case APIDb_GetDatabaseInfoID: {
        auto* info = static_cast<API_DatabaseInfo*>(par1);
        const sim::Database* database = databases.Find(info->databaseUnId.elemSetId);
        if (database == nullptr)
            return APIERR_BADDATABASE;
        FillDatabase(*database, *info);
        return NoError;
    }
    case APIDb_GetCurrentDatabaseID:
        FillDatabase(databases.Current(), *static_cast<API_DatabaseInfo*>(par1));
        return NoError;
    case APIDb_ChangeCurrentDatabaseID: {
        const auto* info = static_cast<const API_DatabaseInfo*>(par1);
        // A database named by its id, or the first one of the type.
        if (info->databaseUnId.elemSetId != APINULLGuid)
            return databases.SwitchTo(info->databaseUnId.elemSetId) ? NoError : APIERR_BADDATABASE;
        std::optional<sim::DatabaseKind> kind = sim::KindOf(info->typeID);
        return kind && databases.SwitchTo(*kind) ? NoError : APIERR_BADDATABASE;
    }
    case APIDb_GetElementInfoStringID: {
        if (par2 == nullptr)
            return APIERR_BADPARS;
        const sim::Element* e = Store().Find(*static_cast<const API_Guid*>(par1));
        if (e == nullptr)
            return APIERR_BADID;
        const std::string* name = e->IfcName();
        *static_cast<GS::UniString*>(par2) = GS::UniString(name != nullptr ? *name : std::string());
        return NoError;
    }
    default:
        return APIERR_BADPARS;
    }
}
