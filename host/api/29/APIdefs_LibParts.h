#pragma once
// Library parts and libraries of generation 29: search, registration, sections, parameters,
// and the project's library list. Record layouts are the stand-alone host's own, with the
// members the add-on uses; names and descriptions in the records are UTF-16, identifiers and
// parameter names ASCII. The library functions are legacy in this generation (the reference
// points to ACAPI::Library), but they are still there.
#include "APIdefs_Base.h"
#include "GS/Array.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"
#include "IOLocation.hpp"

enum API_LibTypeID : Int32 {
    APILib_ZombieID = 0,
    APILib_SpecID = 1,
    APILib_WindowID = 2,
    APILib_DoorID = 3,
    APILib_ObjectID = 4,
    APILib_LampID = 5,
    APILib_RoomID = 6,
    APILib_PropertyID = 7,
    APILib_PlanSignID = 8,
    APILib_LabelID = 9,
};

struct API_LibPart {
    API_LibTypeID typeID;
    Int32 index;
    char ownUnID[API_UniIDLen];
    char parentUnID[API_UniIDLen];
    GS::uchar_t docu_UName[API_UniLongNameLen]; // the library part's name
    GS::uchar_t file_UName[API_UniLongNameLen]; // its file's name
    bool missingDef;
    bool isTemplate;
    bool isPlaceable;
    GSType ownerID;
    short version;
    IO::Location* location; // the host allocates it on search; the caller deletes it
};

struct API_LibraryInfo {
    IO::Location location; // folder or container file of the library
    GS::UniString name;
    bool readOnly = false;
    bool operator==(const API_LibraryInfo& other) const
    {
        return location == other.location && name == other.name && readOnly == other.readOnly;
    }
};

// Searches a loaded library part by its unique id (ownUnID) or, when that is empty, by
// its name (docu_UName); fills the record and a new location.
GSErrCode ACAPI_LibraryPart_Search(API_LibPart* ancestor, bool createIfMissing, bool onlyPlaceable = false);
GSErrCode ACAPI_LibraryPart_Get(API_LibPart* libPart);
// Loads the library part file at the record's location; fills the index and unique id.
GSErrCode ACAPI_LibraryPart_Register(API_LibPart* libPart);

// Sections of a library part, by four-character type.
constexpr GSType API_SectParamDef = 0x50415244; // 'PARD'
struct API_LibPartSection {
    GSType sectType;
    unsigned short subIdent;
    short version;
};
GSErrCode ACAPI_LibraryPart_GetSection(Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl,
                                       GS::UniString* sectionStr, GS::UniString* password = nullptr);
// Only while a part is being created (between ACAPI_LibraryPart_Create and _Save); APIERR_GENERAL otherwise.
GSErrCode ACAPI_LibraryPart_AddSection(const API_LibPartSection* section, GSHandle sectionHdl,
                                       GS::UniString* sectionStr);
// On a registered part; a section it does not have is created.
GSErrCode ACAPI_LibraryPart_UpdateSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                                          GS::UniString* sectionStr, GS::UniString* password = nullptr);

// Parameters.
enum API_AddParID : Int32 {
    API_ZombieParT = 0,
    APIParT_Integer = 1,
    APIParT_Length = 2,
    APIParT_Angle = 3,
    APIParT_RealNum = 4,
    APIParT_LightSw = 5,
    APIParT_ColRGB = 6,
    APIParT_Intens = 7,
    APIParT_LineTyp = 8,
    APIParT_Mater = 9,
    APIParT_FillPat = 10,
    APIParT_PenCol = 11,
    APIParT_CString = 12,
    APIParT_Boolean = 13,
    APIParT_Separator = 14,
    APIParT_Title = 15,
    APIParT_Dictionary = 16,
    APIParT_BuildingMaterial = 17,
    APIParT_Profile = 18,
};

struct API_AddParType {
    API_AddParID typeID;
    short index;
    short typeMod;
    char name[API_NameLen];
    GS::uchar_t uDescname[API_UAddParDescLen];
    GS::uchar_t valueDescription[API_UAddParNumDescLen];
    Int32 dim1;
    Int32 dim2;
    unsigned short flags;
    GSHandle arrayDescriptions;
    union {
        double real;
        GS::uchar_t uStr[API_UAddParStrLen];
        GSHandle array;
    } value;
};

GSErrCode ACAPI_LibraryPart_GetParams(Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars);
// Builds a parameter section from a parameter list.
GSErrCode ACAPI_LibraryPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars, double* a, double* b,
                                             GSHandle sect2DDrawHdl, GSHandle* sectionHdl,
                                             GS::UniString* password = nullptr);

// The details of a part's parameter section, by the part's kind.
struct API_LibPartObjectDetails {
    bool fixSize;
    bool autoHotspot;
    bool uiTabDefault;
    bool sizeTo2D;
    bool uiUseHierarchicalPages;
    bool runVLScriptOnlyOnce;
    bool enableHideFixNamedParams;
    bool enable2DScriptDrawingOrder;
};
struct API_LibPartDoorWindowDetails {
    char mirThickExpr[512];
    char wallInsetExpr[512];
    char leftFramExpr[512];
    char righFramExpr[512];
    char topFramExpr[512];
    char botFramExpr[512];
};
union API_LibPartDetails {
    API_LibPartObjectDetails object;
    API_LibPartObjectDetails light;
    API_LibPartObjectDetails label;
    API_LibPartObjectDetails zone;
    API_LibPartDoorWindowDetails wind;
    API_LibPartDoorWindowDetails door;
};
GSErrCode ACAPI_LibraryPart_SetDetails_ParamDef(const API_LibPart* libPart, GSHandle paramHdl,
                                                const API_LibPartDetails* details);
GSErrCode ACAPI_DisposeAddParHdl(API_AddParType*** addPars);

// The element's library part's unique id into `lpfUnId` (API_UniIDLen characters);
// APIERR_BADID for an element that is not GDL-based.
struct API_Elem_Head;
GSErrCode ACAPI_LibraryPart_GetElemLibPartUnId(API_Elem_Head* elemHead, char* lpfUnId);

// The project's libraries; `embeddedLibraryIndex` receives the embedded library's place (-1: none).
GSErrCode ACAPI_LibraryManagement_GetLibraries(GS::Array<API_LibraryInfo>* activeLibs,
                                               Int32* embeddedLibraryIndex = nullptr);
GSErrCode ACAPI_LibraryManagement_SetLibraries(const GS::Array<API_LibraryInfo>* activeLibs);
