#pragma once
// Elements: types, records, lists, changes, IFC attributes, notifications and observers.
// Type numbers are the host's for the types the add-on compares; the other record
// layouts are the stand-alone host's own.
#include <cstring>

#include "API_Guid.h"
#include "APIdefs_Attributes.h"
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

enum API_ModelElemStructureType : Int32 {
    API_BasicStructure = 0,
    API_CompositeStructure = 1,
    API_ProfileStructure = 2
};

// Which database (floor plan, a section, a layout) an element or event belongs to.
struct API_DatabaseUnId {
    API_Guid elemSetId;
};

struct API_Elem_Head {
    API_ElemTypeID typeID;
    API_Guid guid;
    short floorInd;
    API_DatabaseUnId databaseId;
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
    double thickness;  // at the wall's start
    double thickness1; // at its end
    short type;        // the wall's kind code
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
    Int32 nSegments;
};

struct API_BeamType {
    API_Elem_Head head;
    Int32 nSegments;
};

// Windows, doors and objects are placed from a library part.
struct API_ObjectType {
    API_Elem_Head head;
    Int32 libInd;
    Int32 relatedElemType; // the type of the element an object stands in for (0: none)
};
using API_WindowType = API_ObjectType;
using API_DoorType = API_ObjectType;

struct API_CurtainWallType {
    API_Elem_Head head;
};

struct API_StairType {
    API_Elem_Head head;
};

// All zero on construction, as API_Attribute.
union API_Element {
    API_Element() { std::memset(static_cast<void*>(this), 0, sizeof *this); }
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

// The element memo. The segments come in handles; their count is the handle's size
// divided by the record's. ACAPI_DisposeElemMemoHdls releases them.
struct API_ElementMemo {
    GSHandle params;
    API_ColumnSegmentType** columnSegments;
    API_BeamSegmentType** beamSegments;
};
constexpr UInt64 APIMemoMask_None = 0;
constexpr UInt64 APIMemoMask_ColumnSegment = 0x1;
constexpr UInt64 APIMemoMask_BeamSegment = 0x2;
constexpr UInt64 APIMemoMask_All = ~UInt64(0);

// Marks every field of a record as changed (a mask of all 0xFF bytes is the same).
void ACAPI_ELEMENT_MASK_SETFULL(API_Element& mask);
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
GSErrCode ACAPI_Element_GetElemList(API_ElemTypeID typeID, GS::Array<API_Guid>* elemList,
                                    API_ElemFilterFlags filterBits = APIFilt_None,
                                    const API_Guid& renovationFilterGuid = APINULLGuid);
// Reads the element whose guid is in the header.
GSErrCode ACAPI_Element_Get(API_Element* element);
GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask = APIMemoMask_None);
GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo);
// Takes the fields marked in `mask` from `element` into the element of the same guid.
GSErrCode ACAPI_Element_Change(API_Element* element, const API_Element* mask, const API_ElementMemo* memo,
                               UInt64 memoMask, bool withdel);

// Quantities. One record serves every type; each type fills the fields it has.
struct API_ElementQuantity {
    double volume;
    double surface;     // walls (the surface their kind 5 is measured by), windows, doors
    double area;        // curtain walls
    double length;      // beams
    double height;      // columns, windows, doors
    double width;       // windows, doors
    double surfaces[5]; // a column's two, a beam's five
};
struct API_CompositeQuantity {
    API_AttributeIndex buildingMaterial;
    double volume;
};
struct API_Quantities {
    API_ElementQuantity* elements;
    GS::Array<API_CompositeQuantity>* composites;
};
struct API_QuantityPar {
    double minOpeningSize;
};
struct API_QuantitiesMask {
    API_ElementQuantity elements; // a field is asked for when any of its bytes is set
};
void ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(API_QuantitiesMask& mask);
GSErrCode ACAPI_Element_GetQuantities(const API_Guid& guid, const API_QuantityPar* params, API_Quantities* quantities,
                                      const API_QuantitiesMask* mask);

struct API_Box3D {
    double xMin, yMin, zMin;
    double xMax, yMax, zMax;
};
struct API_ElemInfo3D {
    API_Box3D bounds;
};
// The element's 3D bounding box; APIERR_NO3D when it has none.
GSErrCode ACAPI_Element_Get3DInfo(const API_Elem_Head& head, API_ElemInfo3D* info3D);

struct API_IFCAttribute {
    GS::UniString attributeName;
    GS::UniString attributeValue;
};
GSErrCode ACAPI_Element_GetIFCAttributes(const API_Guid& guid, bool storedOnly,
                                         GS::Array<API_IFCAttribute>* ifcAttributes);

// The localised name of an element type ("Wall", "Objekt", ...).
GSErrCode ACAPI_Goodies_GetElemTypeName(API_ElemTypeID type, GS::UniString& name);

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

struct API_ElementUserData {
    short dataVersion;
    unsigned short platformSign;
    Int32 flags;
    GSHandle dataHdl;
};

struct API_ToolBoxItem {
    API_ElemTypeID typeID;
};

using APIElementEventHandlerProc = GSErrCode(const API_NotifyElementType* elemType);

// `elemType` null: every type. A null handler removes the handler.
GSErrCode ACAPI_Notify_CatchNewElement(const API_ToolBoxItem* elemType, APIElementEventHandlerProc* handlerProc);
GSErrCode ACAPI_Notify_InstallElementObserver(APIElementEventHandlerProc* handlerProc);
GSErrCode ACAPI_Element_AttachObserver(const API_Guid& elemGuid, GSFlags notifyRequest = 0);
// During an element event: the element the event's element was made from (copied from,
// or the state before a change); APIERR_BADID when there is none.
GSErrCode ACAPI_Notify_GetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 mask,
                                        API_ElementUserData* userData);

// Databases.
enum API_DatabaseTypeID : Int32 {
    APIWind_FloorPlanID = 1,
    APIWind_SectionID = 2,
    APIWind_LayoutID = 8,
};

struct API_DatabaseInfo {
    API_DatabaseTypeID typeID;
    API_DatabaseUnId databaseUnId;
    GS::UniString name;
};

constexpr GSType APIDb_GetDatabaseInfoID = 0x47444249;       // 'GDBI': par1 API_DatabaseInfo* (unId in, the rest out)
constexpr GSType APIDb_GetCurrentDatabaseID = 0x47444154;    // 'GDAT': par1 API_DatabaseInfo* receives the current one
constexpr GSType APIDb_ChangeCurrentDatabaseID = 0x43444154; // 'CDAT': par1 API_DatabaseInfo*: its unId, or its type
constexpr GSType APIDb_GetElementInfoStringID = 0x47434953;  // 'GCIS': par1 API_Guid*, par2 GS::UniString*
GSErrCode ACAPI_Database(GSType code, void* par1 = nullptr, void* par2 = nullptr);
