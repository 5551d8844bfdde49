#pragma once
// Attribute records. Record layouts and type values are the stand-alone host's own;
// the add-on relies only on the fields named here.
#include <cstring>

#include "APIErrors.h"
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

// Records start all zero, as the host's own code clears them before use: a pointer the
// host writes through (a building material's texts) is then null unless the caller sets it.
union API_Attribute {
    API_Attribute() { std::memset(static_cast<void*>(this), 0, sizeof *this); }
    API_Attr_Head header;
    API_BuildingMaterialType buildingMaterial;
    API_CompWallType compWall;
};

// Composite components and separator lines, in handles the host allocates.
struct API_CWallComponent {
    API_AttributeIndex buildingMaterial;
    short framePen;
    short flagBits;
    double fillThick;
};

struct API_CWallLineComponent {
    short ltypeInd;
    short linePen;
    short lineType;
    short filler;
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
GSErrCode ACAPI_Attribute_GetNum(API_AttrTypeID typeID, API_AttributeIndex* count);
GSErrCode ACAPI_Attribute_Search(API_Attr_Head* head);
GSErrCode ACAPI_Attribute_Create(API_Attribute* attribute, API_AttributeDefExt* defs);
GSErrCode ACAPI_Attribute_Modify(API_Attribute* attribute, API_AttributeDefExt* defs);
// The definition in plain handles (composites' components); released with ACAPI_DisposeAttrDefsHdls.
struct API_AttributeDef {
    API_CWallComponent** cwall_compItems;
    API_CWallLineComponent** cwall_compLItems;
};
GSErrCode ACAPI_Attribute_GetDef(API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDef* defs);
GSErrCode ACAPI_DisposeAttrDefsHdls(API_AttributeDef* defs);
GSErrCode ACAPI_Attribute_GetDefExt(API_AttrTypeID typeID, API_AttributeIndex index, API_AttributeDefExt* defs);
GSErrCode ACAPI_Attribute_CreateExt(API_Attribute* attribute, API_AttributeDefExt* defs);
GSErrCode ACAPI_Attribute_ModifyExt(API_Attribute* attribute, API_AttributeDefExt* defs);
GSErrCode ACAPI_DisposeAttrDefsHdlsExt(API_AttributeDefExt* defs);
