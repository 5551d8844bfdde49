// Elements: lists, records, changes, memos and IFC attributes.
#include <cstring>

#include "APIdefs_Elements.h"
#include "BM.h"
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

GSFlags KindFlag(API_ElemTypeID type)
{
    return type == API_WallID ? APICWall_ForWall : type == API_SlabID ? APICWall_ForSlab : APICWall_ForRoof;
}

} // namespace

namespace sim {

void FillRecord(const Element& e, API_Element& element)
{
    std::memset(&element, 0, sizeof(API_Element));
    element.header.typeID = e.type;
    element.header.guid = e.guid;
    element.header.floorInd = e.floor;
    element.header.databaseId = Host::Get().GetProject().databases.FloorPlan().id;
    if (const ShellPayload* shell = e.Shell()) {
        StructureFields fields = FieldsOf(element);
        *fields.type = shell->structure.modelElemStructureType;
        *fields.composite = shell->structure.composite;
        *fields.buildingMaterial = shell->structure.buildingMaterial;
        if (fields.profile != nullptr)
            *fields.profile = shell->structure.profileAttr;
        *fields.thickness = shell->structure.thickness;
    }
    if (IsPlacedFromLibraryPart(e.type)) {
        const LibPart* part = Host::Get().GetProject().libParts.FindByUniqueId(e.libraryPart);
        element.object.libInd = part != nullptr ? part->index : 0;
    }
}

} // namespace sim

void ACAPI_ELEMENT_MASK_SETFULL(API_Element& mask)
{
    std::memset(&mask, 0xFF, sizeof(API_Element));
}

GSErrCode ACAPI_Element_GetElemList(API_ElemTypeID typeID, GS::Array<API_Guid>* elemList, API_ElemFilterFlags,
                                    const API_Guid&)
{
    SIM_ENTER("ACAPI_Element_GetElemList");
    if (elemList == nullptr)
        return APIERR_BADPARS;
    Store().ForEach([&](const sim::Element& e) {
        if (typeID == API_ZombieElemID || e.type == typeID)
            elemList->Push(e.guid);
    });
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

GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64)
{
    SIM_ENTER("ACAPI_Element_GetMemo");
    if (memo == nullptr)
        return APIERR_BADPARS;
    if (Store().Find(guid) == nullptr)
        return APIERR_BADID;
    std::memset(memo, 0, sizeof(API_ElementMemo));
    return NoError;
}

GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo)
{
    SIM_ENTER("ACAPI_DisposeElemMemoHdls");
    if (memo == nullptr)
        return APIERR_BADPARS;
    BMKillHandle(&memo->params);
    return NoError;
}

GSErrCode ACAPI_Element_Change(API_Element* element, const API_Element* mask, const API_ElementMemo*, UInt64, bool)
{
    SIM_ENTER("ACAPI_Element_Change");
    if (element == nullptr || mask == nullptr)
        return APIERR_BADPARS;
    sim::Element* e = Store().Find(element->header.guid);
    if (e == nullptr)
        return APIERR_BADID;
    sim::ShellPayload* shell = e->Shell();
    if (shell == nullptr)
        return NoError; // nothing of other types can be changed through the record here
    API_Element changed = *element;
    changed.header.typeID = e->type;
    API_Element marks = *mask;
    marks.header.typeID = e->type;
    StructureFields in = FieldsOf(changed);
    StructureFields marked = FieldsOf(marks);
    API_ElemStructure result = shell->structure;
    if (Marked(*marked.type))
        result.modelElemStructureType = *in.type;
    if (Marked(*marked.composite))
        result.composite = *in.composite;
    if (Marked(*marked.buildingMaterial))
        result.buildingMaterial = *in.buildingMaterial;
    if (in.profile != nullptr && Marked(*marked.profile))
        result.profileAttr = *in.profile;
    if (Marked(*marked.thickness))
        result.thickness = *in.thickness;
    const sim::AttributeStore& attributes = Host::Get().GetProject().attributes;
    if (result.modelElemStructureType == API_CompositeStructure) {
        // The host keeps a composite off the kinds of element its flags exclude.
        const sim::Attribute* composite = attributes.Find(API_CompWallID, result.composite);
        if (composite == nullptr)
            return APIERR_BADINDEX;
        if ((composite->flags & KindFlag(e->type)) == 0)
            return APIERR_BADPARS;
    } else if (result.modelElemStructureType == API_BasicStructure &&
               attributes.Find(API_BuildingMaterialID, result.buildingMaterial) == nullptr) {
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

GSErrCode ACAPI_Database(GSType code, void* par1, void*)
{
    SIM_ENTER_REQUEST("ACAPI_Database", code);
    if (code != APIDb_GetDatabaseInfoID || par1 == nullptr)
        return APIERR_BADPARS;
    auto* info = static_cast<API_DatabaseInfo*>(par1);
    const sim::Database* database = Host::Get().GetProject().databases.Find(info->databaseUnId);
    if (database == nullptr)
        return APIERR_BADDATABASE;
    info->typeID = database->type;
    info->name = GS::UniString(database->name);
    return NoError;
}
