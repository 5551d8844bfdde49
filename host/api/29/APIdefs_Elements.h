#pragma once
// Elements of generation 29: types, records, lists, changes, quantities, notifications and
// observers. Type numbers are the host's; the other record layouts are the stand-alone host's
// own, with the members the add-on uses. The IFC attributes are read through IFCAPI
// (IFCObjectAccessor.hpp).
#include <cstring>
#include <functional>

#include "API_Guid.h"
#include "APIdefs_Attributes.h"
#include "APIdefs_Base.h"
#include "GS/Array.hpp"
#include "GS/UniString.hpp"

enum API_ElemTypeID : Int32 {
    API_ZombieElemID = 0,
    API_WallID = 1,
    API_ColumnID = 2,
    API_BeamID = 3,
    API_WindowID = 4,
    API_DoorID = 5,
    API_ObjectID = 6,
    API_LampID = 7,
    API_SlabID = 8,
    API_RoofID = 9,
    API_CurtainWallID = 37,
    API_CurtainWallSegmentID = 38,
    API_CurtainWallFrameID = 39,
    API_CurtainWallPanelID = 40,
    API_CurtainWallJunctionID = 41,
    API_CurtainWallAccessoryID = 42,
    API_StairID = 47,
    API_RiserID = 48,
    API_TreadID = 49,
    API_StairStructureID = 50,
};

enum API_ElemVariationID : GSType {
    APIVarId_Generic = 0,
    APIVarId_WallEnd = 0x5741454E,      // 'WAEN'
    APIVarId_Door = 0x444F4F52,         // 'DOOR'
    APIVarId_Skylight = 0x534B594C,     // 'SKYL'
    APIVarId_Object = 0x53594D42,       // 'SYMB'
    APIVarId_GridElement = 0x4752454C,  // 'GREL'
    APIVarId_Light = 0x4C494748,        // 'LIGH'
    APIVarId_CornerWindow = 0x43525744, // 'CRWD'
};

// An element type: a type id, its variation, or the class of an external element type.
struct API_ElemType {
    API_ElemTypeID typeID = API_ZombieElemID;
    API_ElemVariationID variationID = APIVarId_Generic;
    API_Guid classID{};

    API_ElemType() = default;
    API_ElemType(API_ElemTypeID typeID) : typeID(typeID) {}
    API_ElemType(API_ElemTypeID typeID, API_ElemVariationID variationID) : typeID(typeID), variationID(variationID) {}
    API_ElemType(const API_Guid& classID) : classID(classID) {}

    bool operator==(const API_ElemType& other) const
    {
        return typeID == other.typeID && variationID == other.variationID && classID == other.classID;
    }
    bool operator!=(const API_ElemType& other) const { return !(*this == other); }
    bool operator==(API_ElemTypeID other) const { return *this == API_ElemType(other); }
    bool operator!=(API_ElemTypeID other) const { return !(*this == other); }
    bool operator==(const API_Guid& other) const { return *this == API_ElemType(other); }
    bool operator!=(const API_Guid& other) const { return !(*this == other); }
    ULong GenerateHashValue() const
    {
        return static_cast<ULong>(std::hash<API_Guid>()(classID) * 31 + static_cast<ULong>(typeID) * 7 + variationID);
    }
};

namespace std {
template <> struct hash<API_ElemType> {
    size_t operator()(const API_ElemType& type) const noexcept { return type.GenerateHashValue(); }
};
} // namespace std

enum API_ModelElemStructureType : Int32 {
    API_BasicStructure = 0,
    API_CompositeStructure = 1,
    API_ProfileStructure = 2
};

// Which database (floor plan, a section, a layout) an element or event belongs to.
struct API_DatabaseUnId {
    API_Guid elemSetId;
};

enum API_RenovationStatusType : Int32 {
    API_UndefinedStatus = 0,
    API_ExistingStatus = 1,
    API_NewStatus = 2,
    API_DemolishedStatus = 3,
};

struct API_Elem_Head {
    API_ElemType type;
    API_Guid guid;
    UInt64 modiStamp;
    API_Guid groupGuid;
    API_Guid hotlinkGuid;
    short floorInd;
    API_AttributeIndex layer;
    bool hasMemo;
    char drwIndex;
    short userId;
    short lockId;
    API_AttributeIndex rgr_layer;
    API_RenovationStatusType renovationStatus;
    API_Guid renovationFilterGuid;
};

// What walls, slabs and roofs are built of.
struct API_ElemStructure {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex composite;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex profileAttr;
    double thickness;
};

// The wall's geometry kind (values the stand-alone host's own: the reference names them only).
enum API_WallTypeID : Int32 { APIWtyp_Normal = 0, APIWtyp_Trapez = 1, APIWtyp_Poly = 2 };

struct API_WallType {
    API_Elem_Head head;
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex composite;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex profileAttr;
    double thickness;  // at the wall's start
    double thickness1; // at its end
    API_WallTypeID type;
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

struct API_ColumnType {
    API_Elem_Head head;
    UInt32 nSegments;
};

struct API_BeamType {
    API_Elem_Head head;
    UInt32 nSegments;
};

// Objects are placed from a library part; an object may belong to an owner element.
struct API_ObjectType {
    API_Elem_Head head;
    Int32 libInd;
    API_ElemType ownerType; // the type of the owner (API_ZombieElemID: none)
    API_Guid owner;
};

// Windows and doors: openings placed from a library part into a wall.
struct API_OpeningBaseType {
    Int32 libInd;
};
struct API_WindowType {
    API_Elem_Head head;
    API_OpeningBaseType openingBase;
    API_Guid owner; // the wall the opening is in
};
using API_DoorType = API_WindowType;

struct API_CurtainWallType {
    API_Elem_Head head;
};

struct API_StairType {
    API_Elem_Head head;
};

// No constructor: a caller value-initialises the record (`API_Element element {};`).
union API_Element {
    API_Elem_Head header;
    API_WallType wall;
    API_SlabType slab;
    API_RoofType roof;
    API_ColumnType column;
    API_BeamType beam;
    API_ObjectType object;
    API_WindowType window;
    API_DoorType door;
    API_CurtainWallType curtainWall;
    API_StairType stair;
};

// What a column or beam segment is built of.
struct API_AssemblySegmentData {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex profileAttr;
};
struct API_ColumnSegmentType {
    API_AssemblySegmentData assemblySegmentData;
};
struct API_BeamSegmentType {
    API_AssemblySegmentData assemblySegmentData;
};

struct API_AddParType;
// The element memo. The segments come as arrays of the element's nSegments records;
// ACAPI_DisposeElemMemoHdls releases them.
struct API_ElementMemo {
    API_AddParType** params;
    API_ColumnSegmentType* columnSegments;
    API_BeamSegmentType* beamSegments;
};
constexpr UInt64 APIMemoMask_None = 0;
constexpr UInt64 APIMemoMask_ColumnSegment = 0x1;
constexpr UInt64 APIMemoMask_BeamSegment = 0x2;
constexpr UInt64 APIMemoMask_All = ~UInt64(0);

// Marks every field of a record as changed (a mask of all 0xFF bytes is the same).
#define ACAPI_ELEMENT_MASK_SETFULL(mask) std::memset(static_cast<void*>(&(mask)), 0xFF, sizeof(mask))
// No field marked; then one field of a type's record marked, as the host's macros do.
#define ACAPI_ELEMENT_MASK_CLEAR(mask) std::memset(static_cast<void*>(&(mask)), 0, sizeof(mask))
#define ACAPI_ELEMENT_MASK_SET(mask, type, field)                                                                      \
    std::memset(static_cast<void*>(&reinterpret_cast<type*>(&(mask))->field), 0xFF,                                    \
                sizeof(reinterpret_cast<type*>(&(mask))->field))

using API_ElemFilterFlags = GSFlags;
constexpr API_ElemFilterFlags APIFilt_None = 0;
constexpr API_ElemFilterFlags APIFilt_IsEditable = 0x0002;
constexpr API_ElemFilterFlags APIFilt_OnVisLayer = 0x0008;

// Every element of that type (API_ZombieElemID: of every type), in creation order. The
// stand-alone host has no layers, renovation or hotlinks, so the filters leave every
// element in the list.
GSErrCode ACAPI_Element_GetElemList(const API_ElemType& type, GS::Array<API_Guid>* elemList,
                                    API_ElemFilterFlags filterBits = APIFilt_None,
                                    const API_Guid& renovationFilterGuid = APINULLGuid);
// Reads the element whose guid is in the header; `mask` 0 or APIElemMask_FloorPlan.
constexpr UInt32 APIElemMask_FloorPlan = 0x00000001;
GSErrCode ACAPI_Element_Get(API_Element* element, UInt32 mask = 0);
GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask = APIMemoMask_All);
GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo);
// Takes the fields marked in `mask` from `element` into the element of the same guid.
GSErrCode ACAPI_Element_Change(API_Element* element, const API_Element* mask, const API_ElementMemo* memo,
                               UInt64 memoMask, bool withdel);

// Quantities: a record per element kind (the members the add-on reads, and their neighbours).
struct API_WallQuantity {
    double volume;
    double surface1; // the reference line's side
    double surface2; // the opposite side
    double surface3; // the edge
    double area;
};
struct API_ColumnQuantity {
    double minHeight;
    double maxHeight;
    double coreSurface;
    double veneSurface;
    double coreVolume;
    double veneVolume;
};
struct API_BeamQuantity {
    double rightLength;
    double leftLength;
    double bottomSurface;
    double topSurface;
    double edgeSurfaceLeft;
    double edgeSurfaceRight;
    double edgeSurface;
    double volume;
};
struct API_WindowQuantity {
    double width1;
    double width2;
    double height1;
    double height2;
    double surface;
    double surface1;
    double surface2;
    double grossSurf;
    double volume;
};
using API_DoorQuantity = API_WindowQuantity;
struct API_SlabQuantity {
    double volume;
};
struct API_RoofQuantity {
    double volume;
};
struct API_CurtainWallQuantity {
    double length;
    double height;
    double contourSurface;
    double boundarySurface;
    double panelsSurface;
};
struct API_StairQuantity {
    double volume;
    double area;
    double height;
};
union API_ElementQuantity {
    API_WallQuantity wall;
    API_ColumnQuantity column;
    API_BeamQuantity beam;
    API_DoorQuantity door;
    API_WindowQuantity window;
    API_SlabQuantity slab;
    API_RoofQuantity roof;
    API_CurtainWallQuantity cw;
    API_StairQuantity stair;
};
// Which members are asked for: a member is asked for when any of its bytes is set.
struct API_ElementQuantityMask {
    API_WallQuantity wall;
    API_ColumnQuantity column;
    API_BeamQuantity beam;
    API_DoorQuantity door;
    API_WindowQuantity window;
    API_SlabQuantity slab;
    API_RoofQuantity roof;
    API_CurtainWallQuantity cw;
    API_StairQuantity stair;
};
struct API_CompositeQuantity {
    API_AttributeIndex buildingMaterial;
    double volume;
};
using API_CompositeQuantityMask = API_CompositeQuantity;
class API_Quantities {
public:
    API_ElementQuantity* elements = nullptr;
    GS::Array<API_CompositeQuantity>* composites = nullptr;
    void* elemPartQuantities = nullptr;
    void* elemPartComposites = nullptr;
};
struct API_QuantityPar {
    double minOpeningSize;
};
class API_QuantitiesMask {
public:
    API_ElementQuantityMask elements{};
    API_CompositeQuantityMask composites{};
};
#define ACAPI_ELEMENT_QUANTITY_MASK_CLEAR(mask)                                                                        \
    std::memset(static_cast<void*>(&(mask).elements), 0, sizeof((mask).elements))
#define ACAPI_ELEMENT_QUANTITY_MASK_SETFULL(mask)                                                                      \
    std::memset(static_cast<void*>(&(mask).elements), 0xFF, sizeof((mask).elements))
#define ACAPI_ELEMENT_QUANTITY_MASK_SET(mask, elemType, field)                                                         \
    std::memset(static_cast<void*>(&(mask).elements.elemType.field), 0xFF, sizeof((mask).elements.elemType.field))
#define ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_CLEAR(mask)                                                             \
    std::memset(static_cast<void*>(&(mask).composites), 0, sizeof((mask).composites))
#define ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_SETFULL(mask)                                                           \
    std::memset(static_cast<void*>(&(mask).composites), 0xFF, sizeof((mask).composites))
inline void ACAPI_ELEMENT_QUANTITIES_MASK_CLEAR(API_QuantitiesMask& mask)
{
    ACAPI_ELEMENT_QUANTITY_MASK_CLEAR(mask);
    ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_CLEAR(mask);
}
// Fills the element and the composite parts.
inline void ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(API_QuantitiesMask& mask)
{
    ACAPI_ELEMENT_QUANTITY_MASK_SETFULL(mask);
    ACAPI_ELEMENT_COMPOSITES_QUANTITY_MASK_SETFULL(mask);
}
// APIERR_BADPARS when the mask is null and elements or composites is null.
GSErrCode ACAPI_Element_GetQuantities(API_Guid elemGuid, const API_QuantityPar* params, API_Quantities* quantities,
                                      const API_QuantitiesMask* mask = nullptr);

struct API_Box3D {
    double xMin, yMin, zMin;
    double xMax, yMax, zMax;
};
struct API_ElemInfo3D {
    API_Box3D bounds;
};
// The element's 3D bounding box: APIERR_BADID for a type without 3D, APIERR_GENERAL when the
// element is not in the 3D database.
GSErrCode ACAPI_ModelAccess_Get3DInfo(const API_Elem_Head& elemHead, API_ElemInfo3D* info3D);

// The localised name of an element type ("Wall", "Objekt", ...); APIERR_BADID for a type without one.
GSErrCode ACAPI_Element_GetElemTypeName(const API_ElemType& elemType, GS::UniString& elemName);

// The element priority a user-interface priority (0..16) stands for.
GSErrCode ACAPI_Element_UI2ElemPriority(GS::Int32* uiPriority, GS::Int32* elemPriority);

// Element events.
using API_ElementDBEventID = Int32;
constexpr API_ElementDBEventID APINotifyElement_BeginEvents = -1;
constexpr API_ElementDBEventID APINotifyElement_EndEvents = -2;
constexpr API_ElementDBEventID APINotifyElement_New = 1;
constexpr API_ElementDBEventID APINotifyElement_Copy = 2;
constexpr API_ElementDBEventID APINotifyElement_Change = 3;
constexpr API_ElementDBEventID APINotifyElement_Edit = 4;
constexpr API_ElementDBEventID APINotifyElement_Delete = 5;
constexpr API_ElementDBEventID APINotifyElement_Undo_Created = 11;
constexpr API_ElementDBEventID APINotifyElement_Undo_Modified = 12;
constexpr API_ElementDBEventID APINotifyElement_Undo_Deleted = 13;
constexpr API_ElementDBEventID APINotifyElement_Redo_Created = 14;
constexpr API_ElementDBEventID APINotifyElement_Redo_Modified = 15;
constexpr API_ElementDBEventID APINotifyElement_Redo_Deleted = 16;
constexpr API_ElementDBEventID APINotifyElement_PropertyValueChange = 17;
constexpr API_ElementDBEventID APINotifyElement_ClassificationChange = 18;

struct API_NotifyElementType {
    API_ElementDBEventID notifID;
    API_Elem_Head elemHead;
    API_DatabaseUnId databaseId;
};

struct API_UserData {
    short dataVersion;
    unsigned short platformSign;
    GSFlags flags;
    GSHandle dataHdl; // the host copies it on set and allocates a new one on get
};
using API_ElementUserData = API_UserData;

struct API_ToolBoxItem {
    API_ElemType type;
};

using APIElementEventHandlerProc = GSErrCode(const API_NotifyElementType* elemType);

// `elemType` null: every type. A null handler removes the handler.
GSErrCode ACAPI_Element_CatchNewElement(const API_ToolBoxItem* elemType, APIElementEventHandlerProc* handlerProc);
GSErrCode ACAPI_Element_InstallElementObserver(APIElementEventHandlerProc* handlerProc);
GSErrCode ACAPI_Element_AttachObserver(const API_Guid& elemGuid, GSFlags notifyFlags = 0);
// During an element event: the element the event's element was made from (copied from,
// or the state before a change); APIERR_REFUSEDCMD when there is none.
GSErrCode ACAPI_Notification_GetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 mask,
                                              API_ElementUserData* userData);

// Databases: a database is a window's; its names are UTF-16.
enum API_WindowTypeID : Int32 {
    APIWind_ZombieID = 0,
    APIWind_FloorPlanID = 1,
    APIWind_SectionID = 2,
    APIWind_DetailID = 3,
    APIWind_3DModelID = 4,
    APIWind_LayoutID = 5,
    APIWind_DrawingID = 6,
    APIWind_MyTextID = 7,
    APIWind_MyDrawID = 8,
    APIWind_MasterLayoutID = 9,
};

struct API_WindowInfo {
    API_WindowTypeID typeID;
    Int32 index;
    API_DatabaseUnId databaseUnId;
    API_DatabaseUnId masterLayoutUnId;
    GS::uchar_t title[API_UniLongNameLen];
    GS::uchar_t name[API_UniLongNameLen];
    GS::uchar_t ref[API_UniLongNameLen];
    API_Guid linkedElement;
    API_DatabaseUnId linkedDatabaseUnId;
    Int32 linkedSegmentMemoIndex;
};
using API_DatabaseInfo = API_WindowInfo;

// The database's info by its unId (in `databaseInfo`, or in `databaseId` when given).
GSErrCode ACAPI_Window_GetDatabaseInfo(API_DatabaseInfo* databaseInfo, API_DatabaseUnId* databaseId = nullptr);
GSErrCode ACAPI_Database_GetCurrentDatabase(API_DatabaseInfo* databaseInfo);
// To the database of the unId, or of the type when the unId is null.
GSErrCode ACAPI_Database_ChangeCurrentDatabase(API_DatabaseInfo* databaseInfo);
GSErrCode ACAPI_Element_GetElementInfoString(const API_Guid* elementGuid, GS::UniString* infoString);
