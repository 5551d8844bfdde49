// Elements: lists by type and element records.
#include <cstring>

#include "APIdefs_Elements.h"
#include "Host.hpp"

using sim::Host;

GSErrCode ACAPI_Element_GetElemList(API_ElemTypeID typeID, GS::Array<API_Guid>* elemList, API_ElemFilterFlags,
                                    const API_Guid&)
{
    SIM_ENTER("ACAPI_Element_GetElemList");
    if (elemList == nullptr)
        return APIERR_BADPARS;
    for (const sim::Element& e : Host::Get().GetProject().elements.elements)
        if (e.type == typeID)
            elemList->Push(e.guid);
    return NoError;
}

GSErrCode ACAPI_Element_Get(API_Element* element)
{
    SIM_ENTER("ACAPI_Element_Get");
    if (element == nullptr)
        return APIERR_BADPARS;
    const sim::Element* e = Host::Get().GetProject().elements.Find(element->header.guid);
    if (e == nullptr)
        return APIERR_BADID;
    std::memset(element, 0, sizeof(API_Element));
    element->header.typeID = e->type;
    element->header.guid = e->guid;
    element->header.floorInd = e->floor;
    const API_ElemStructure& s = e->structure;
    switch (e->type) {
    case API_WallID:
        element->wall.modelElemStructureType = s.modelElemStructureType;
        element->wall.composite = s.composite;
        element->wall.buildingMaterial = s.buildingMaterial;
        element->wall.profileAttr = s.profileAttr;
        element->wall.thickness = s.thickness;
        break;
    case API_SlabID:
        element->slab.modelElemStructureType = s.modelElemStructureType;
        element->slab.composite = s.composite;
        element->slab.buildingMaterial = s.buildingMaterial;
        element->slab.thickness = s.thickness;
        break;
    case API_RoofID:
        element->roof.shellBase.modelElemStructureType = s.modelElemStructureType;
        element->roof.shellBase.composite = s.composite;
        element->roof.shellBase.buildingMaterial = s.buildingMaterial;
        element->roof.shellBase.thickness = s.thickness;
        break;
    default:
        break;
    }
    return NoError;
}
