#pragma once
// Attribute records. Record layouts and type values are the stand-alone host's own;
// the add-on relies only on the fields named here.
#include "API_Guid.h"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

enum API_AttrTypeID : Int32 {
    API_ZombieAttrID = 0,
    API_PenID = 1,
    API_LayerID = 2,
    API_LinetypeID = 3,
    API_FilltypeID = 4,
    API_CompWallID = 5,
    API_MaterialID = 6,
    API_ZoneCatID = 9,
    API_ProfileID = 10,
    API_BuildingMaterialID = 16,
};

using API_AttributeIndex = Int32;

constexpr int API_AttrNameLen = 256;

struct API_Attr_Head {
    API_AttrTypeID typeID;
    API_AttributeIndex index;
    GSFlags flags;
    char name[API_AttrNameLen];
    API_Guid guid;
    UInt32 modiTime;
    GS::UniString* uniStringNamePtr; // when set, the name is read from / written to this text
};

struct API_BuildingMaterialType {
    API_Attr_Head head;
    GS::UniString* id;
    GS::UniString* manufacturer;
    GS::UniString* description;
    Int32 connPriority;
    Int32 cutFill;
    short cutFillPen;
    short cutFillBackgroundPen;
    Int32 cutMaterial;
    Int32 cutFillOrientation;
    double thermalConductivity;
    double density;
    double heatCapacity;
    bool showUncutLines;
};

// Header flags of a composite: for which element kinds it may be used.
constexpr GSFlags APICWall_ForWall = 0x0001;
constexpr GSFlags APICWall_ForSlab = 0x0002;
constexpr GSFlags APICWall_ForRoof = 0x0004;

struct API_CompWallType {
    API_Attr_Head head;
    double totalThick;
    short nComps;
    short nLines;
};

union API_Attribute {
    API_Attr_Head header;
    API_BuildingMaterialType buildingMaterial;
    API_CompWallType compWall;
};
