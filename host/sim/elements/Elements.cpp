// Elements: lists, records, changes, memos, quantities and databases.
#include <cstring>

#include "APIdefs_Elements.h"
#include "BM.h"
#include "Calls.hpp"
#include "Edge.hpp"
#include "Host.hpp"
#include "RecordFields.hpp"

using sim::Host;
using sim::Marked;

namespace {

sim::ElementStore& Store()
{
    return Host::Get().GetProject().elements;
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
    switch (sim::TypeIdOf(element.header)) {
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
    SetTypeId(element.header, TypeIdOf(e.kind));
    element.header.guid = e.guid;
    element.header.floorInd = e.floor;
    SetDatabase(element.header, Host::Get().GetProject().databases.FloorPlan().id);
    if (const ShellPayload* shell = e.Shell()) {
        StructureFields fields = FieldsOf(element);
        *fields.type = TypeIdOf(shell->structure.kind);
        *fields.composite = HostIndex(shell->structure.composite);
        *fields.buildingMaterial = HostIndex(shell->structure.buildingMaterial);
        if (fields.profile != nullptr)
            *fields.profile = HostIndex(shell->structure.profile);
        *fields.thickness = shell->structure.thickness;
        if (e.kind == ElemKind::wall) {
            element.wall.thickness1 = shell->thicknessEnd;
            SetWallKind(element.wall, shell->kind);
        }
    }
    if (const MemberPayload* member = e.Member()) {
        const auto count = static_cast<decltype(element.column.nSegments)>(member->segments.size());
        if (e.kind == ElemKind::column)
            element.column.nSegments = count;
        else
            element.beam.nSegments = count;
    }
    if (IsPlacedFromLibraryPart(e.kind)) {
        const LibPart* part = Host::Get().GetProject().libParts.FindByUniqueId(e.libraryPart);
        const PlacedPayload* placed = e.Placed();
        SetPlacement(element, e.kind, part != nullptr ? part->index : 0, placed != nullptr ? placed->relatedType : 0);
    }
}

} // namespace sim

GSErrCode sim::calls::Element_GetElemList(API_ElemTypeID typeID, GS::Array<API_Guid>* elemList, API_ElemFilterFlags,
                                          const API_Guid&)
{
    if (elemList == nullptr)
        return APIERR_BADPARS;
    if (typeID == API_ZombieElemID)
        Store().ForEach([&](const sim::Element& e) { elemList->Push(e.guid); });
    else if (std::optional<sim::ElemKind> kind = sim::KindOf(typeID))
        Store().ForEachOfKind(*kind, [&](const sim::Element& e) { elemList->Push(e.guid); });
    return NoError;
}

GSErrCode sim::calls::Element_Get(API_Element* element)
{
    if (element == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(element->header.guid);
    if (e == nullptr)
        return APIERR_BADID;
    sim::FillRecord(*e, *element);
    return NoError;
}

static bool FillSegments(API_ElementMemo& memo, sim::ElemKind kind, const std::vector<sim::Segment>& segments)
{
    if (!sim::AllocateSegments(memo, kind, segments.size()))
        return false;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        API_AssemblySegmentData& data = *sim::SegmentAt(memo, kind, i);
        data.modelElemStructureType = sim::TypeIdOf(segments[i].kind);
        data.buildingMaterial = sim::HostIndex(segments[i].buildingMaterial);
        data.profileAttr = sim::HostIndex(segments[i].profile);
    }
    return true;
}

GSErrCode sim::calls::Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask)
{
    if (memo == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(guid);
    if (e == nullptr)
        return APIERR_BADID;
    std::memset(memo, 0, sizeof(API_ElementMemo));
    if (const sim::MemberPayload* member = e->Member()) {
        const bool asked = e->kind == sim::ElemKind::column ? (mask & APIMemoMask_ColumnSegment) != 0
                                                            : (mask & APIMemoMask_BeamSegment) != 0;
        if (asked && !FillSegments(*memo, e->kind, member->segments))
            return APIERR_MEMFULL;
    }
    return NoError;
}

GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo)
{
    SIM_ENTER("ACAPI_DisposeElemMemoHdls");
    if (memo == nullptr)
        return APIERR_BADPARS;
    BMKillHandle(reinterpret_cast<GSHandle*>(&memo->params));
    sim::DisposeSegments(*memo);
    return NoError;
}

GSErrCode sim::calls::Element_GetQuantities(const API_Guid& guid, API_Quantities* quantities,
                                            const API_QuantitiesMask* mask)
{
    if (quantities == nullptr || quantities->elements == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(guid);
    if (e == nullptr)
        return APIERR_BADID;
    sim::FillQuantities(e->kind, e->quantities, *quantities->elements, mask);
    if (quantities->composites != nullptr)
        quantities->composites->Clear();
    return NoError;
}

GSErrCode sim::calls::Element_Get3DInfo(const API_Elem_Head& head, API_ElemInfo3D* info3D, GSErrCode no3DType,
                                        GSErrCode noBody)
{
    if (info3D == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(head.guid);
    if (e == nullptr)
        return APIERR_BADID;
    const sim::PlacedPayload* placed = e->Placed();
    if (placed == nullptr)
        return no3DType;
    if (!placed->hasBox)
        return noBody;
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
    sim::SetTypeId(changed.header, sim::TypeIdOf(e->kind));
    API_Element marks = *mask;
    sim::SetTypeId(marks.header, sim::TypeIdOf(e->kind));
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
        result.composite = sim::IndexOf(*in.composite);
    if (Marked(*marked.buildingMaterial))
        result.buildingMaterial = sim::IndexOf(*in.buildingMaterial);
    if (in.profile != nullptr && Marked(*marked.profile))
        result.profile = sim::IndexOf(*in.profile);
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

namespace sim::calls {

const std::vector<std::pair<std::string, std::string>>* IfcAttributes(const API_Guid& element)
{
    const sim::Element* e = Store().Find(element);
    return e != nullptr ? &e->ifcAttributes : nullptr;
}

namespace {

void FillDatabase(const sim::Database& database, API_DatabaseInfo& info, std::string* name)
{
    info.typeID = sim::TypeIdOf(database.type);
    info.databaseUnId = {database.id};
    if (name != nullptr)
        *name = database.name;
}

} // namespace

GSErrCode DatabaseInfo(API_DatabaseInfo* info, std::string* name)
{
    if (info == nullptr)
        return APIERR_BADPARS;
    const sim::Database* database = Host::Get().GetProject().databases.Find(info->databaseUnId.elemSetId);
    if (database == nullptr)
        return APIERR_BADDATABASE;
    FillDatabase(*database, *info, name);
    return NoError;
}

GSErrCode CurrentDatabase(API_DatabaseInfo* info, std::string* name)
{
    if (info == nullptr)
        return APIERR_BADPARS;
    FillDatabase(Host::Get().GetProject().databases.Current(), *info, name);
    return NoError;
}

GSErrCode ChangeDatabase(const API_DatabaseInfo* info)
{
    if (info == nullptr)
        return APIERR_BADPARS;
    sim::DatabaseStore& databases = Host::Get().GetProject().databases;
    // A database named by its id, or the first one of the type.
    if (info->databaseUnId.elemSetId != APINULLGuid)
        return databases.SwitchTo(info->databaseUnId.elemSetId) ? NoError : APIERR_BADDATABASE;
    std::optional<sim::DatabaseKind> kind = sim::KindOf(info->typeID);
    return kind && databases.SwitchTo(*kind) ? NoError : APIERR_BADDATABASE;
}

GSErrCode ElementInfoString(const API_Guid* element, GS::UniString* text)
{
    if (element == nullptr || text == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Store().Find(*element);
    if (e == nullptr)
        return APIERR_BADID;
    const std::string* name = e->IfcName();
    *text = GS::UniString(name != nullptr ? *name : std::string());
    return NoError;
}

} // namespace sim::calls
