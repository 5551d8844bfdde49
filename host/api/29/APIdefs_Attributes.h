#pragma once
// Attribute records of generation 29. Type values are the host's; the other record layouts
// are the stand-alone host's own, with the members the add-on uses.
#include <cstring>

#include "APIErrors.h"
#include "API_Guid.h"
#include "APIdefs_AttributeIndex.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

enum API_AttrTypeID : int {
    API_ZombieAttrID = 0,
    API_LayerID = 1,
    API_LinetypeID = 2,
    API_FilltypeID = 3,
    API_CompWallID = 4,
    API_MaterialID = 5,
    API_LayerCombID = 6,
    API_ZoneCatID = 7,
    API_ProfileID = 8,
    API_PenTableID = 9,
    API_MEPSystemID = 10,
    API_OperationProfileID = 11,
    API_BuildingMaterialID = 12,
};

constexpr int API_AttrNameLen = 256;

struct API_Attr_Head {
    API_AttrTypeID typeID;
    API_AttributeIndex index;
    short flags;
    char name[API_AttrNameLen]; // UTF-8
    API_Guid guid;
    UInt64 modiTime;
    GS::UniString* uniStringNamePtr; // when set, the name is read from / written to this text
};

enum API_FillOrientationID : Int32 {
    API_FillOrientationProjectOrigin = 0,
    API_FillOrientationElementOrigin = 1,
    API_FillOrientationFitToSkin = 2,
};

struct API_BuildingMaterialType {
    API_Attr_Head head;
    GS::UniString* id;
    GS::UniString* manufacturer;
    GS::UniString* description;
    Int32 connPriority;
    API_AttributeIndex cutFill;
    short cutFillPen;
    short cutFillBackgroundPen;
    API_AttributeIndex cutMaterial;
    API_FillOrientationID cutFillOrientation;
    double thermalConductivity;
    double density;
    double heatCapacity;
    double embodiedEnergy;
    double embodiedCarbon;
    bool showUncutLines;
    bool doNotParticipateInCollDet;
};

// Header flags of a composite: for which element kinds it may be used (the values are the
// stand-alone host's: the reference names them only).
constexpr short APICWall_ForWall = 0x0001;
constexpr short APICWall_ForSlab = 0x0002;
constexpr short APICWall_ForRoof = 0x0004;
constexpr short APICWall_ForShell = 0x0008;

struct API_CompWallType {
    API_Attr_Head head;
    double totalThick;
    short nComps;
};

// No constructor: a caller value-initialises the record (`API_Attribute attribute {};`), so a
// pointer the host writes through (a building material's texts) is null unless it is set.
union API_Attribute {
    API_Attr_Head header;
    API_BuildingMaterialType buildingMaterial;
    API_CompWallType compWall;
};

// Composite components and separator lines, in handles the host allocates.
constexpr short APICWallComp_Core = 0x0002; // values the stand-alone host's own, as above
constexpr short APICWallComp_Finish = 0x0020;
struct API_CWallComponent {
    API_AttributeIndex buildingMaterial;
    short framePen;
    short flagBits;
    double fillThick;
};

struct API_CWallLineComponent {
    API_AttributeIndex ltypeInd;
    short linePen;
};

class ProfileVectorImage;

struct API_AttributeDefExt {
    API_CWallComponent** cwall_compItems;
    API_CWallLineComponent** cwall_compLItems;
    ProfileVectorImage* profile_vectorImageItems; // profiles: the drawing of the cross-section
};

// The header is found by index, or by name when the index is 0 (uniStringNamePtr
// first, then the name buffer).
GSErrCode ACAPI_Attribute_Get(API_Attribute* attribute);
// The number of attributes of the type; their indices need not run from 1 to that number.
GSErrCode ACAPI_Attribute_GetNum(API_AttrTypeID typeID, UInt32& count);
GSErrCode ACAPI_Attribute_Search(API_Attr_Head* attrHead);
// The definition in plain handles (composites' components); released with ACAPI_DisposeAttrDefsHdls.
struct API_AttributeDef {
    API_CWallComponent** cwall_compItems;
};
GSErrCode ACAPI_Attribute_Create(API_Attribute* attribute, API_AttributeDef* defs);
GSErrCode ACAPI_Attribute_Modify(API_Attribute* attribute, API_AttributeDef* defs);
GSErrCode ACAPI_Attribute_GetDef(API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDef* defs);
GSErrCode ACAPI_DisposeAttrDefsHdls(API_AttributeDef* defs);
GSErrCode ACAPI_Attribute_GetDefExt(API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDefExt* defs);
GSErrCode ACAPI_Attribute_CreateExt(API_Attribute* attribute, API_AttributeDefExt* defs);
GSErrCode ACAPI_Attribute_ModifyExt(API_Attribute* attribute, API_AttributeDefExt* defs);
GSErrCode ACAPI_DisposeAttrDefsHdlsExt(API_AttributeDefExt* defs);
