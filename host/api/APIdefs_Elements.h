#pragma once
// Elements: walls, slabs and roofs (more types later), their lists and records.
#include "API_Guid.h"
#include "APIdefs_Attributes.h"
#include "GS/Array.hpp"

enum API_ElemTypeID : Int32 {
    API_ZombieElemID = 0,
    API_WallID = 1,
    API_ColumnID = 2,
    API_BeamID = 3,
    API_WindowID_Elem = 4,
    API_DoorID_Elem = 5,
    API_ObjectID_Elem = 6,
    API_SlabID = 9,
    API_RoofID = 10,
    API_CurtainWallID = 20,
    API_StairID = 30,
};

enum API_ModelElemStructureType : Int32 {
    API_BasicStructure = 0,
    API_CompositeStructure = 1,
    API_ProfileStructure = 2
};

struct API_Elem_Head {
    API_ElemTypeID typeID;
    API_Guid guid;
    short floorInd;
};

// What walls, slabs and roofs are built of.
struct API_ElemStructure {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex composite;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex profileAttr;
    double thickness;
};

struct API_WallType {
    API_Elem_Head head;
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex composite;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex profileAttr;
    double thickness;
};

struct API_SlabType {
    API_Elem_Head head;
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex composite;
    API_AttributeIndex buildingMaterial;
    double thickness;
};

struct API_ShellBaseType {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex composite;
    API_AttributeIndex buildingMaterial;
    double thickness;
};

struct API_RoofType {
    API_Elem_Head head;
    API_ShellBaseType shellBase;
};

union API_Element {
    API_Elem_Head header;
    API_WallType wall;
    API_SlabType slab;
    API_RoofType roof;
};

using API_ElemFilterFlags = GSFlags;
constexpr API_ElemFilterFlags APIFilt_None = 0;

GSErrCode ACAPI_Element_GetElemList(API_ElemTypeID typeID, GS::Array<API_Guid>* elemList,
                                    API_ElemFilterFlags filterBits = APIFilt_None,
                                    const API_Guid& renovationFilterGuid = APINULLGuid);
// Reads the element whose guid is in the header.
GSErrCode ACAPI_Element_Get(API_Element* element);
