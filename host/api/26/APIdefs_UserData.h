#pragma once
// Attribute and element user data, add-on data records, undoable commands.
#include <functional>

#include "APIdefs_Attributes.h"
#include "APIdefs_Elements.h"
#include "APIdefs_Goodies.h"
#include "GS/Array.hpp"
#include "GS/UniString.hpp"

struct API_UserData {
    short dataVersion;
    unsigned short platformSign;
    Int32 flags;
    GSHandle dataHdl; // the host copies it on set and allocates a new one on get
};

constexpr unsigned short GS_MAC_PLATFORM_SIGN = 0x6D6D;
constexpr Int32 APIUserDataFlag_UndoAble = 0x00000004;
constexpr Int32 APIUserDataFlag_SkipRecalcAndDraw = 0x00000008;

GSErrCode ACAPI_Attribute_SetUserData(API_Attr_Head* head, const API_UserData* userData);
GSErrCode ACAPI_Attribute_GetUserData(API_Attr_Head* head, API_UserData* userData);
GSErrCode ACAPI_Element_SetUserData(API_Elem_Head* head, const API_UserData* userData);
GSErrCode ACAPI_Element_GetUserData(API_Elem_Head* head, API_UserData* userData);

struct API_ModulData {
    Int32 dataVersion;
    unsigned short platformSign;
    GSHandle dataHdl;
};

GSErrCode ACAPI_ModulData_Store(const API_ModulData* data, const GS::UniString& modulName);
GSErrCode ACAPI_ModulData_Get(API_ModulData* data, const GS::UniString& modulName);
GSErrCode ACAPI_ModulData_GetList(GS::Array<GS::UniString>* modulNameList);

// Runs `command` as one undo step named `undoString`; answers the command's result.
GSErrCode ACAPI_CallUndoableCommand(const GS::UniString& undoString, const std::function<GSErrCode()>& command);

struct GSTimeRecord {
    short year;
    short month;
    short day;
    short hour;
    short minute;
    short second;
};
// The present moment, local time.
void TIGetTimeRecord(GSTimeRecord* record);
