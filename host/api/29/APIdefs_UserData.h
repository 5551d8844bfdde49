#pragma once
// Generation 29: attribute and element user data, add-on data records, undoable commands.
// User data operations are undoable (no flag asks for it).
#include <functional>

#include "APIdefs_Attributes.h"
#include "APIdefs_Elements.h"
#include "GS/Array.hpp"
#include "GS/UniString.hpp"

using API_AttributeUserData = API_UserData; // API_UserData is declared with the elements

// Flag values the stand-alone host's own (the reference names them only).
constexpr GSFlags APIUserDataFlag_Copy = 0x00000001;
constexpr GSFlags APIUserDataFlag_Merge = 0x00000002;
constexpr GSFlags APIUserDataFlag_FillWith = 0x00000010;
constexpr GSFlags APIUserDataFlag_Pickup = 0x00000020;
constexpr GSFlags APIUserDataFlag_SkipRecalcAndDraw = 0x00000008;

namespace GS {
constexpr unsigned short Win_Platform_Sign = 0x5757;
constexpr unsigned short Mac_Platform_Sign = 0x6D6D;
constexpr unsigned short Mactel_Platform_Sign = 0x7474;
} // namespace GS

GSErrCode ACAPI_UserData_SetUserData(API_Attr_Head* attrHead, const API_AttributeUserData* userData);
GSErrCode ACAPI_UserData_GetUserData(API_Attr_Head* attrHead, API_AttributeUserData* userData);
// For an element only the head's guid is needed.
GSErrCode ACAPI_Element_SetUserData(API_Elem_Head* elemHead, const API_ElementUserData* userData);
GSErrCode ACAPI_Element_GetUserData(API_Elem_Head* elemHead, API_ElementUserData* userData);

struct API_ModulData {
    Int32 dataVersion;
    unsigned short platformSign;
    GSHandle dataHdl;
};

GSErrCode ACAPI_ModulData_Store(const API_ModulData* info, const GS::UniString& modulName = GS::EmptyUniString);
GSErrCode ACAPI_ModulData_Get(API_ModulData* info, const GS::UniString& modulName = GS::EmptyUniString);
GSErrCode ACAPI_ModulData_GetList(GS::Array<GS::UniString>* modulNameList);

// Runs `command` as one undo step named `undoString`; answers the command's result.
GSErrCode ACAPI_CallUndoableCommand(const GS::UniString& undoString, const std::function<GSErrCode()>& command);
