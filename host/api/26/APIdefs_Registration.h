#pragma once
// Entry points, registration, installed handlers and the records they pass.
#include "API_Guid.h"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace IO {
class Location;
}

enum API_AddonType : Int32 {
    APIAddon_DontRegister = 0,
    APIAddon_Unknown = 1,
    APIAddon_Normal = 2,
    APIAddon_Preload = 3
};

struct API_AddOnInfo {
    GS::UniString name;
    GS::UniString description;
};

struct API_EnvirParams {
    API_AddOnInfo addOnInfo;
    GS::UniString serverApplicationName;
};

struct API_MenuItemRef {
    short menuResID;
    short itemIndex;
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

using API_IOMethod = Int32;
constexpr API_IOMethod IO_OPEN = 1;
constexpr API_IOMethod IO_DROP = 2; // a file dropped on the host
constexpr API_IOMethod IO_MERGE = 4;
constexpr API_IOMethod IO_OPENLIBPART = 8;

struct API_IOParams {
    Int32 refCon;
    API_IOMethod method;
    IO::Location* fileLoc;
};

enum API_PaletteMessageID : Int32 {
    APIPalMsg_ClosePalette = 1,
    APIPalMsg_HidePalette_Begin = 2,
    APIPalMsg_HidePalette_End = 3,
    APIPalMsg_DisableItems_Begin = 4,
    APIPalMsg_DisableItems_End = 5,
    APIPalMsg_OpenPalette = 6,
    APIPalMsg_IsPaletteVisible = 7,
};

// Project events, one bit each.
using API_NotifyEventID = Int32;
constexpr API_NotifyEventID APINotify_New = 0x0001;
constexpr API_NotifyEventID APINotify_NewAndReset = 0x0002;
constexpr API_NotifyEventID APINotify_Open = 0x0004;
constexpr API_NotifyEventID APINotify_PreSave = 0x0008;
constexpr API_NotifyEventID APINotify_Save = 0x0010;
constexpr API_NotifyEventID APINotify_Close = 0x0020;
constexpr API_NotifyEventID APINotify_Quit = 0x0040;
constexpr API_NotifyEventID APINotify_SendChanges = 0x0080;
constexpr API_NotifyEventID APINotify_ChangeProjectDB = 0x0100;
constexpr API_NotifyEventID APINotify_ChangeWindow = 0x0200;
constexpr API_NotifyEventID APINotify_ChangeFloor = 0x0400;
constexpr API_NotifyEventID APINotify_ChangeLibrary = 0x0800;

using APIMenuCommandProc = GSErrCode(const API_MenuParams* params);
using APIIOCommandProc = GSErrCode(const API_IOParams* params);
using APIProjectEventHandlerProc = GSErrCode(API_NotifyEventID notifID, Int32 param);
using APIPaletteControlCallBackProc = GSErrCode(Int32 referenceID, API_PaletteMessageID messageID, GS::IntPtr param);

GSErrCode ACAPI_Register_SupportedService(GSType cmdID, Int32 cmdVersion);
GSErrCode ACAPI_Register_Menu(short menuStrResID, short promptStrResID, Int32 menuPosCode, GSFlags menuFlags);
GSErrCode ACAPI_Register_FileType(Int32 refCon, GSType ftype, GSType fcreator, const char* extname, short iconResID,
                                  short descStrResID, short descStrResItemID, API_IOMethod methodFlags);
GSErrCode ACAPI_Install_MenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc);
GSErrCode ACAPI_Install_FileTypeHandler(GSType cmdID, APIIOCommandProc* handlerProc);
// One handler per add-on: a later call replaces the earlier handler and mask.
GSErrCode ACAPI_Notify_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc);
GSErrCode ACAPI_RegisterModelessWindow(Int32 referenceID, APIPaletteControlCallBackProc* callBackProc,
                                       GSFlags controlFlags, const API_Guid& guid);
GSErrCode ACAPI_UnregisterModelessWindow(Int32 referenceID);
void ACAPI_KeepInMemory(bool keepInMemory);
GSResModule ACAPI_GetOwnResModule();

// A string item of one of the add-on's string resources; false when there is none.
bool RSGetIndString(GS::UniString* string, short resID, short index, GSResModule resModule);

// The add-on's compiled-in string resources, as the host finds them in its image.
struct API_ResourceString {
    short resID;
    short index;
    const char* text;
};

// What the host finds in an add-on's image when it loads it.
struct API_AddOnImage {
    API_AddonType (*checkEnvironment)(API_EnvirParams* envir);
    GSErrCode (*registerInterface)();
    GSErrCode (*initialize)();
    GSErrCode (*freeData)();
    const API_ResourceString* resources; // ends with an entry whose text is null
};
