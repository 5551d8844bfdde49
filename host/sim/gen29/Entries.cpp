// Generation 29's entry points whose names or parameters differ from generation 26's: each
// enters the call under its own name, then runs the one implementation. Where generation 29
// documents other answers (no parent element, elements without 3D or a library part, adding
// a section to a registered part), they are given here.
#include <cstring>

#include "ACAPinc.h"
#include "Calls.hpp"
#include "Edge.hpp"
#include "Host.hpp"
#include "RecordFields.hpp"

using namespace sim::calls;

GSErrCode ACAPI_Element_GetElemList(const API_ElemType& type, GS::Array<API_Guid>* elemList,
                                    API_ElemFilterFlags filterBits, const API_Guid& renovationFilterGuid)
{
    SIM_ENTER("ACAPI_Element_GetElemList");
    return Element_GetElemList(type.typeID, elemList, filterBits, renovationFilterGuid);
}

GSErrCode ACAPI_Element_Get(API_Element* element, UInt32 mask)
{
    SIM_ENTER("ACAPI_Element_Get");
    if (mask != 0 && mask != APIElemMask_FloorPlan)
        return APIERR_BADPARS;
    return Element_Get(element);
}

GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask)
{
    SIM_ENTER("ACAPI_Element_GetMemo");
    return Element_GetMemo(guid, memo, mask);
}

GSErrCode ACAPI_Element_GetQuantities(API_Guid elemGuid, const API_QuantityPar*, API_Quantities* quantities,
                                      const API_QuantitiesMask* mask)
{
    SIM_ENTER("ACAPI_Element_GetQuantities");
    if (quantities == nullptr ||
        (mask == nullptr && (quantities->elements == nullptr || quantities->composites == nullptr)))
        return APIERR_BADPARS;
    return Element_GetQuantities(elemGuid, quantities, mask);
}

GSErrCode ACAPI_ModelAccess_Get3DInfo(const API_Elem_Head& elemHead, API_ElemInfo3D* info3D)
{
    SIM_ENTER("ACAPI_ModelAccess_Get3DInfo");
    // A type that has no 3D answers APIERR_BADID; an element of a 3D type without a body is
    // not in the 3D database.
    return Element_Get3DInfo(elemHead, info3D, APIERR_BADID, APIERR_GENERAL);
}

GSErrCode ACAPI_Element_GetElemTypeName(const API_ElemType& elemType, GS::UniString& elemName)
{
    SIM_ENTER("ACAPI_Element_GetElemTypeName");
    return ElemTypeName(elemType.typeID, elemName, APIERR_BADID);
}

GSErrCode ACAPI_Element_UI2ElemPriority(GS::Int32* uiPriority, GS::Int32* elemPriority)
{
    SIM_ENTER("ACAPI_Element_UI2ElemPriority");
    return ElementPriority(uiPriority, elemPriority);
}

GSErrCode ACAPI_Element_GetElementInfoString(const API_Guid* elementGuid, GS::UniString* infoString)
{
    SIM_ENTER("ACAPI_Element_GetElementInfoString");
    return ElementInfoString(elementGuid, infoString);
}

GSErrCode ACAPI_Element_CatchNewElement(const API_ToolBoxItem* elemType, APIElementEventHandlerProc* handlerProc)
{
    SIM_ENTER("ACAPI_Element_CatchNewElement");
    return Notify_CatchNewElement(elemType != nullptr ? &elemType->type.typeID : nullptr, handlerProc);
}

GSErrCode ACAPI_Element_InstallElementObserver(APIElementEventHandlerProc* handlerProc)
{
    SIM_ENTER("ACAPI_Element_InstallElementObserver");
    return Notify_InstallElementObserver(handlerProc);
}

GSErrCode ACAPI_Notification_GetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 mask,
                                              API_ElementUserData* userData)
{
    SIM_ENTER("ACAPI_Notification_GetParentElement");
    return Notify_GetParentElement(element, memo, mask, userData, APIERR_REFUSEDCMD);
}

GSErrCode ACAPI_LibraryPart_Search(API_LibPart* ancestor, bool createIfMissing, bool onlyPlaceable)
{
    SIM_ENTER("ACAPI_LibraryPart_Search");
    return LibPart_Search(ancestor, createIfMissing, onlyPlaceable);
}

GSErrCode ACAPI_LibraryPart_Get(API_LibPart* libPart)
{
    SIM_ENTER("ACAPI_LibraryPart_Get");
    return LibPart_Get(libPart);
}

GSErrCode ACAPI_LibraryPart_Register(API_LibPart* libPart)
{
    SIM_ENTER("ACAPI_LibraryPart_Register");
    return LibPart_Register(libPart);
}

GSErrCode ACAPI_LibraryPart_GetSection(Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl,
                                       GS::UniString* sectionStr, GS::UniString* password)
{
    SIM_ENTER("ACAPI_LibraryPart_GetSection");
    return LibPart_GetSection(libInd, section, sectionHdl, sectionStr, password);
}

// Only a part being created takes a new section; the stand-alone host creates no parts.
GSErrCode ACAPI_LibraryPart_AddSection(const API_LibPartSection*, GSHandle, GS::UniString*)
{
    SIM_ENTER("ACAPI_LibraryPart_AddSection");
    return APIERR_GENERAL;
}

GSErrCode ACAPI_LibraryPart_UpdateSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                                          GS::UniString* sectionStr, GS::UniString*)
{
    SIM_ENTER("ACAPI_LibraryPart_UpdateSection");
    return LibPart_WriteSection(libInd, section, sectionHdl, sectionStr, false);
}

GSErrCode ACAPI_LibraryPart_GetParams(Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars)
{
    SIM_ENTER("ACAPI_LibraryPart_GetParams");
    return LibPart_GetParams(libInd, a, b, addParNum, addPars);
}

GSErrCode ACAPI_LibraryPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars, double* a, double* b,
                                             GSHandle sect2DDrawHdl, GSHandle* sectionHdl, GS::UniString* password)
{
    SIM_ENTER("ACAPI_LibraryPart_GetSect_ParamDef");
    return LibPart_GetSect_ParamDef(libPart, addPars, a, b, sect2DDrawHdl, sectionHdl, password);
}

GSErrCode ACAPI_LibraryPart_SetDetails_ParamDef(const API_LibPart* libPart, GSHandle, const API_LibPartDetails* details)
{
    SIM_ENTER("ACAPI_LibraryPart_SetDetails_ParamDef");
    if (details == nullptr)
        return APIERR_BADPARS;
    const sim::LibPart::Details own = sim::DetailsOf(*details);
    return LibPart_SetDetails(libPart, &own);
}

GSErrCode ACAPI_LibraryPart_GetElemLibPartUnId(API_Elem_Head* elemHead, char* lpfUnId)
{
    SIM_ENTER("ACAPI_LibraryPart_GetElemLibPartUnId");
    return ElementLibPartUniqueId(elemHead, lpfUnId, APIERR_BADID);
}

GSErrCode ACAPI_LibraryManagement_GetLibraries(GS::Array<API_LibraryInfo>* activeLibs, Int32* embeddedLibraryIndex)
{
    SIM_ENTER("ACAPI_LibraryManagement_GetLibraries");
    return GetLibraries(activeLibs, embeddedLibraryIndex);
}

GSErrCode ACAPI_LibraryManagement_SetLibraries(const GS::Array<API_LibraryInfo>* activeLibs)
{
    SIM_ENTER("ACAPI_LibraryManagement_SetLibraries");
    return SetLibraries(activeLibs);
}

GSErrCode ACAPI_UserData_SetUserData(API_Attr_Head* attrHead, const API_AttributeUserData* userData)
{
    SIM_ENTER("ACAPI_UserData_SetUserData");
    return Attribute_SetUserData(attrHead, userData);
}

GSErrCode ACAPI_UserData_GetUserData(API_Attr_Head* attrHead, API_AttributeUserData* userData)
{
    SIM_ENTER("ACAPI_UserData_GetUserData");
    return Attribute_GetUserData(attrHead, userData);
}

GSErrCode ACAPI_AddOnAddOnCommunication_RegisterSupportedService(GSType cmdID, Int32 cmdVersion)
{
    SIM_ENTER("ACAPI_AddOnAddOnCommunication_RegisterSupportedService");
    return Register_SupportedService(cmdID, cmdVersion);
}

GSErrCode ACAPI_MenuItem_RegisterMenu(short menuStrResID, short promptStrResID, APIMenuCodeID menuPosCode,
                                      GSFlags menuFlags)
{
    SIM_ENTER("ACAPI_MenuItem_RegisterMenu");
    return Register_Menu(menuStrResID, promptStrResID, menuPosCode, menuFlags);
}

GSErrCode ACAPI_AddOnIntegration_RegisterFileType(Int32 refCon, GSType ftype, GSType fcreator, const char* extname,
                                                  short iconResID, short descStrResID, short descStrResItemID,
                                                  API_IOMethod methodFlags)
{
    SIM_ENTER("ACAPI_AddOnIntegration_RegisterFileType");
    return Register_FileType(refCon, ftype, fcreator, extname, iconResID, descStrResID, descStrResItemID, methodFlags);
}

GSErrCode ACAPI_MenuItem_InstallMenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc)
{
    SIM_ENTER("ACAPI_MenuItem_InstallMenuHandler");
    return Install_MenuHandler(menuStrResID, handlerProc);
}

GSErrCode ACAPI_AddOnIntegration_InstallFileTypeHandler(GSType cmdID, APIIOCommandProc* handlerProc)
{
    SIM_ENTER("ACAPI_AddOnIntegration_InstallFileTypeHandler");
    return Install_FileTypeHandler(cmdID, handlerProc);
}

GSErrCode ACAPI_ProjectOperation_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc)
{
    SIM_ENTER("ACAPI_ProjectOperation_CatchProjectEvent");
    return Notify_CatchProjectEvent(eventTypes, handlerProc);
}

GSErrCode ACAPI_ProjectSettings_GetSpecFolder(API_SpecFolderID* specFolderID, IO::Location* location)
{
    SIM_ENTER("ACAPI_ProjectSettings_GetSpecFolder");
    if (specFolderID == nullptr)
        return APIERR_BADPARS;
    std::optional<Folder> folder;
    if (*specFolderID == API_ApplicationPrefsFolderID)
        folder = Folder::applicationData;
    else if (*specFolderID == API_TemporaryFolderID)
        folder = Folder::temporary;
    return SpecialFolder(folder, location);
}

GSErrCode ACAPI_ProjectSetting_GetProjectNotes(API_ProjectNoteInfo* projectNoteInfo)
{
    SIM_ENTER("ACAPI_ProjectSetting_GetProjectNotes");
    return ProjectNotes(projectNoteInfo);
}

GSErrCode ACAPI_Window_GetDatabaseInfo(API_DatabaseInfo* databaseInfo, API_DatabaseUnId* databaseId)
{
    SIM_ENTER("ACAPI_Window_GetDatabaseInfo");
    if (databaseInfo == nullptr)
        return APIERR_BADPARS;
    if (databaseId != nullptr)
        databaseInfo->databaseUnId = *databaseId;
    std::string name;
    const GSErrCode err = DatabaseInfo(databaseInfo, &name);
    if (err == NoError)
        sim::CopyText(databaseInfo->name, name);
    return err;
}

GSErrCode ACAPI_Database_GetCurrentDatabase(API_DatabaseInfo* databaseInfo)
{
    SIM_ENTER("ACAPI_Database_GetCurrentDatabase");
    std::string name;
    const GSErrCode err = CurrentDatabase(databaseInfo, &name);
    if (err == NoError)
        sim::CopyText(databaseInfo->name, name);
    return err;
}

GSErrCode ACAPI_Database_ChangeCurrentDatabase(API_DatabaseInfo* databaseInfo)
{
    SIM_ENTER("ACAPI_Database_ChangeCurrentDatabase");
    return ChangeDatabase(databaseInfo);
}

GSErrCode ACAPI_ProcessWindow_InitProcessWindow(const GS::UniString* title, Int32* nPhase, API_ProcessControlTypeID*)
{
    SIM_ENTER("ACAPI_ProcessWindow_InitProcessWindow");
    return Progress(ProgressStep::open, title, nPhase);
}

GSErrCode ACAPI_ProcessWindow_SetNextProcessPhase(const GS::UniString* subtitle, Int32* maxval, bool*)
{
    SIM_ENTER("ACAPI_ProcessWindow_SetNextProcessPhase");
    return Progress(ProgressStep::phase, subtitle, maxval);
}

GSErrCode ACAPI_ProcessWindow_SetProcessValue(Int32* newval)
{
    SIM_ENTER("ACAPI_ProcessWindow_SetProcessValue");
    return Progress(ProgressStep::value, nullptr, newval);
}

GSErrCode ACAPI_ProcessWindow_IncProcessValue(Int32* incval)
{
    SIM_ENTER("ACAPI_ProcessWindow_IncProcessValue");
    const Int32 next = static_cast<Int32>(sim::Host::Get().UI().progressValue) + (incval != nullptr ? *incval : 1);
    return Progress(ProgressStep::value, nullptr, &next);
}

GSErrCode ACAPI_ProcessWindow_IsProcessCanceled()
{
    SIM_ENTER("ACAPI_ProcessWindow_IsProcessCanceled");
    return Progress(ProgressStep::cancelled, nullptr, nullptr);
}

GSErrCode ACAPI_ProcessWindow_CloseProcessWindow()
{
    SIM_ENTER("ACAPI_ProcessWindow_CloseProcessWindow");
    Progress(ProgressStep::close, nullptr, nullptr);
    return NoError; // always
}

GSErrCode ACAPI_ProjectOperation_Save(const API_FileSavePars* fileSavePars, const API_SavePars_Ifc* formatPars,
                                      API_IFCRelationshipData*)
{
    SIM_ENTER("ACAPI_ProjectOperation_Save");
    return SaveIfc(fileSavePars, formatPars);
}
