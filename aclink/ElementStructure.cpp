// What a wall, slab or roof is built of.
#include "ElementStructure.hpp"

#include "ErrorMessages.hpp"

namespace KRV {

std::optional<API_ElemStructure> StructureOf(const API_Guid& guid)
{
    API_Element element{};
    element.header.guid = guid;
    if (GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
        LogArchicadErrorCodeMessage(err, "StructureOf::ACAPI_Element_Get");
        return std::nullopt;
    }
    switch (element.header.typeID) {
    case API_WallID:
        return API_ElemStructure{element.wall.modelElemStructureType, element.wall.composite,
                                 element.wall.buildingMaterial, element.wall.profileAttr, element.wall.thickness};
    case API_SlabID:
        return API_ElemStructure{element.slab.modelElemStructureType, element.slab.composite,
                                 element.slab.buildingMaterial, 0, element.slab.thickness};
    case API_RoofID:
        return API_ElemStructure{element.roof.shellBase.modelElemStructureType, element.roof.shellBase.composite,
                                 element.roof.shellBase.buildingMaterial, 0, element.roof.shellBase.thickness};
    default:
        return std::nullopt;
    }
}

} // namespace KRV
