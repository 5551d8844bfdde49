#pragma once
// Library parts and libraries: search, registration, sections, parameters, and the
// project's library list. Record layouts are the stand-alone host's own; texts in the
// records are UTF-8.
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

constexpr int API_UniLongNameLen = 256;
constexpr int API_UniIDLen = 128;
constexpr int API_NameLen = 32;

struct API_LibPart {
    API_LibTypeID typeID;
    Int32 index;
    char ownUnID[API_UniIDLen];
    char parentUnID[API_UniIDLen];
    char docu_UName[API_UniLongNameLen]; // the library part's name
    char file_UName[API_UniLongNameLen]; // its file's name
    bool missingDef;
    bool isTemplate;
    bool isPlaceable;
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
GSErrCode ACAPI_LibPart_Search(API_LibPart* ancestor, bool createIfMissing, bool onlyPlaceable = false);
GSErrCode ACAPI_LibPart_Get(API_LibPart* libPart);
// Loads the library part file at the record's location; fills the index and unique id.
GSErrCode ACAPI_LibPart_Register(API_LibPart* libPart);

// Sections of a library part, by four-character type.
constexpr GSType API_SectParamDef = 0x50415244; // 'PARD'
struct API_LibPartSection {
    GSType sectType;
    short subIdent;
};
GSErrCode ACAPI_LibPart_GetSection(Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl,
                                   GS::UniString* sectionStr, GS::UniString* password = nullptr);
GSErrCode ACAPI_LibPart_AddSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                                   const GS::UniString* sectionStr);
GSErrCode ACAPI_LibPart_UpdateSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                                      const GS::UniString* sectionStr, GS::UniString* password = nullptr);

// Parameters.
enum API_AddParID : Int32 {
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
};

struct API_AddParType {
    API_AddParID typeID;
    short index;
    char name[API_NameLen];
    char uDescname[API_UniLongNameLen];
    char valueDescription[API_UniLongNameLen];
    short valueDescriptionFlag; // follows the value description; the host's own use
    short flags;
    union {
        double real;
        char uStr[API_UniLongNameLen];
    } value;
};

GSErrCode ACAPI_LibPart_GetParams(Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars);
// Builds a parameter section from a parameter list.
GSErrCode ACAPI_LibPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars, double* a, double* b,
                                         GSHandle sect2DDrawHdl, GSHandle* sectHdl, GS::UniString* password = nullptr);

struct API_LibPartDetails {
    char thickParName[API_NameLen];
    char leftOversizeParName[API_NameLen];
    char rightOversizeParName[API_NameLen];
    char upperOversizeParName[API_NameLen];
    char lowerOversizeParName[API_NameLen];
};
GSErrCode ACAPI_LibPart_SetDetails_ParamDef(const API_LibPart* libPart, GSHandle paramHdl, API_LibPartDetails* details);
GSErrCode ACAPI_DisposeAddParHdl(API_AddParType*** addPars);
