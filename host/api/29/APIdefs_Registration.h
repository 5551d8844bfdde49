#pragma once
// Generation 29: the add-on's entry points, registration, installed handlers and the records
// they pass. Flag values the reference names without printing are the stand-alone host's own.
#include "API_Guid.h"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace IO {
class Location;
}

enum API_AddonType : Int32 {
    APIAddon_DontRegister = 0,
    APIAddon_Normal = 1,
    APIAddon_Preload = 2,
    APIAddon_Unknown = 9999
};

struct API_AddOnInfo {
    GS::UniString name;
    GS::UniString description;
    Int32 requiredSSALevel = 0;
};

struct API_ServerApplicationInfo {
    GS::UniString name; // the host application's name
    Int32 mainVersion = 29;
};

struct API_EnvirParams {
    API_ServerApplicationInfo serverInfo;
    API_AddOnInfo addOnInfo;
};

struct API_MenuItemRef {
    short menuResID;
    Int32 itemIndex;
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

// How a file comes to the add-on. A file dropped on the frame window comes as IO_OPEN, one
// dropped on a drawing window as IO_MERGE with fromDragDrop set.
constexpr short IO_OPEN = 1;
constexpr short IO_MERGE = 2;
constexpr short IO_OPENLIBPART = 3;
constexpr short IO_SAVEAS = 4;
constexpr short IO_SAVEAS3D = 5;
constexpr short IO_SAVEASFLY3D = 6;
constexpr short IO_IMPORT = 7;

// What a registered file type supports.
using API_IOMethod = Int32;
constexpr API_IOMethod Open2DSupported = 0x0001;
constexpr API_IOMethod Merge2DSupported = 0x0002;
constexpr API_IOMethod OpenLibPartSupported = 0x0004;
constexpr API_IOMethod SaveAs2DSupported = 0x0008;
constexpr API_IOMethod SaveAs3DSupported = 0x0010;
constexpr API_IOMethod SaveAsFlySupported = 0x0020;
constexpr API_IOMethod Import2DDrawingSupported = 0x0040;

struct API_IOParams {
    short refCon;
    short method;
    UInt32 fileTypeID;
    IO::Location* fileLoc;
    IO::Location* fileLocOnServer;
    GS::UniString* saveFileIOName;
    bool noDialog;
    bool fromDragDrop;
    double dropOffsetX;
    double dropOffsetY;
    void* additionalData;
    API_Guid drawingGuid;
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
constexpr API_NotifyEventID APINotify_New = 0x00000001;
constexpr API_NotifyEventID APINotify_NewAndReset = 0x00000002;
constexpr API_NotifyEventID APINotify_Open = 0x00000004;
constexpr API_NotifyEventID APINotify_PreSave = 0x00000008;
constexpr API_NotifyEventID APINotify_Save = 0x00000010;
constexpr API_NotifyEventID APINotify_Close = 0x00000020;
constexpr API_NotifyEventID APINotify_Quit = 0x00000040;
constexpr API_NotifyEventID APINotify_TempSave = 0x00000080;
constexpr API_NotifyEventID APINotify_SendChanges = 0x00008000;
constexpr API_NotifyEventID APINotify_ReceiveChanges = 0x00010000;
constexpr API_NotifyEventID APINotify_ChangeProjectDB = 0x00040000;
constexpr API_NotifyEventID APINotify_ChangeWindow = 0x00080000;
constexpr API_NotifyEventID APINotify_ChangeFloor = 0x00100000;
constexpr API_NotifyEventID APINotify_ChangeLibrary = 0x00200000;
constexpr API_NotifyEventID APINotify_AllInputFinished = 0x00400000;

// Where a menu goes.
enum APIMenuCodeID : Int32 {
    MenuCode_UserDef = 0,
    MenuCode_File = 1,
    MenuCode_Edit1 = 2,
    MenuCode_Edit2 = 3,
    MenuCode_Edit3 = 4,
    MenuCode_Tools = 5,
    MenuCode_Options1 = 6,
    MenuCode_Options2 = 7,
    MenuCode_Image = 8,
    MenuCode_Calculate = 9,
    MenuCode_TeamWork = 10,
    MenuCode_Display = 11,
    MenuCode_Palettes = 12,
    MenuCode_Extras = 13,
    MenuCode_Hotlink = 14,
    MenuCode_GDLObjects = 15,
    MenuCode_3DView = 16,
    MenuCode_DocExtras = 17,
    MenuCode_Interoperability = 18,
    MenuCode_ModelCheck = 19,
    MenuCode_Hidden = 20,
    MenuCode_RoofExtras = 21,
    MenuCode_Design = 22,
    MenuCode_Help = 23,
};
constexpr GSFlags MenuFlag_Default = 0x0000;
constexpr GSFlags MenuFlag_SeparatorBefore = 0x0001;
constexpr GSFlags MenuFlag_SeparatorAfter = 0x0002;

using APIMenuCommandProc = GSErrCode(const API_MenuParams* params);
using APIIOCommandProc = GSErrCode(const API_IOParams* params);
using APIProjectEventHandlerProc = GSErrCode(API_NotifyEventID notifID, Int32 param);
using APIPaletteControlCallBackProc = GSErrCode(Int32 referenceID, API_PaletteMessageID messageID, GS::IntPtr param);

// Palette control flags.
constexpr GSFlags API_PalEnabled_FloorPlan = 0x0001;
constexpr GSFlags API_PalEnabled_Section = 0x0002;
constexpr GSFlags API_PalEnabled_3D = 0x0004;
constexpr GSFlags API_PalEnabled_Detail = 0x0010;
constexpr GSFlags API_PalEnabled_Layout = 0x0020;
constexpr GSFlags API_PalEnabled_Worksheet = 0x0040;
constexpr GSFlags API_PalEnabled_Elevation = 0x0080;
constexpr GSFlags API_PalEnabled_InteriorElevation = 0x0100;
constexpr GSFlags API_PalEnabled_DocumentFrom3D = 0x0200;

GSErrCode ACAPI_AddOnAddOnCommunication_RegisterSupportedService(GSType cmdID, Int32 cmdVersion);
GSErrCode ACAPI_MenuItem_RegisterMenu(short menuStrResID, short promptStrResID, APIMenuCodeID menuPosCode,
                                      GSFlags menuFlags);
GSErrCode ACAPI_AddOnIntegration_RegisterFileType(Int32 refCon, GSType ftype, GSType fcreator, const char* extname,
                                                  short iconResID, short descStrResID, short descStrResItemID,
                                                  API_IOMethod methodFlags);
GSErrCode ACAPI_MenuItem_InstallMenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc);
GSErrCode ACAPI_AddOnIntegration_InstallFileTypeHandler(GSType cmdID, APIIOCommandProc* handlerProc);
// One handler per add-on: a later call replaces the earlier handler and mask.
GSErrCode ACAPI_ProjectOperation_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc);
GSErrCode ACAPI_RegisterModelessWindow(Int32 referenceID, APIPaletteControlCallBackProc* callBackProc,
                                       GSFlags controlFlags, const API_Guid& paletteGuid = APINULLGuid);
GSErrCode ACAPI_UnregisterModelessWindow(Int32 referenceID);
void ACAPI_KeepInMemory(bool keepIn);
GSResModule ACAPI_GetOwnResModule(void);

// A string item of one of the add-on's string resources; false when there is none.
bool RSGetIndString(GS::UniString* string, short resID, short index, GSResModule resModule);

// The four functions every add-on exports; the host calls them by name.
API_AddonType CheckEnvironment(API_EnvirParams* envir);
GSErrCode RegisterInterface(void);
GSErrCode Initialize(void);
GSErrCode FreeData(void);
