#pragma once
// Library part and library records, as the catalogue items keep them.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

enum API_LibTypeID : Int32 {
    API_ZombieLibID = 0,
    API_SpecID = 1,
    API_WindowID = 2,
    API_DoorID = 3,
    API_ObjectID = 4,
    API_LampID = 5,
    API_RoomID = 6,
    API_PropertyID = 7,
    API_PlanSignID = 8,
    API_LabelID = 9,
};

constexpr int API_UniLongNameLen = 256;
constexpr int API_UniIDLen = 128;

struct API_LibPart {
    API_LibTypeID typeID;
    Int32 index;
    char ownUnID[API_UniIDLen];
    char parentUnID[API_UniIDLen];
    char docu_UName[API_UniLongNameLen];
    char filePath[1024]; // where the library part's file lies
    bool isTemplate;
    bool isPlaceable;
};

struct API_LibraryInfo {
    GS::UniString location; // folder or container file of the library
    GS::UniString name;
    bool readOnly = false;
    bool operator==(const API_LibraryInfo& other) const
    {
        return location == other.location && name == other.name && readOnly == other.readOnly;
    }
};
