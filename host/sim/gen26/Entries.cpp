// Generation 26's entry points whose names or parameters generation 29 changed: each enters
// the call under its own name, then runs the one implementation.
#include <cstring>

#include "ACAPinc.h"
#include "APIdefs_Goodies.h"
#include "Calls.hpp"
#include "Edge.hpp"
#include "Host.hpp"

using namespace sim::calls;

GSErrCode ACAPI_Element_GetElemList(API_ElemTypeID typeID, GS::Array<API_Guid>* elemList,
                                    API_ElemFilterFlags filterBits, const API_Guid& renovationFilterGuid)
{
    SIM_ENTER("ACAPI_Element_GetElemList");
    return Element_GetElemList(typeID, elemList, filterBits, renovationFilterGuid);
}

GSErrCode ACAPI_Element_Get(API_Element* element)
{
    SIM_ENTER("ACAPI_Element_Get");
    return Element_Get(element);
}

GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask)
{
    SIM_ENTER("ACAPI_Element_GetMemo");
    return Element_GetMemo(guid, memo, mask);
}

void ACAPI_ELEMENT_MASK_SETFULL(API_Element& mask)
{
    std::memset(static_cast<void*>(&mask), 0xFF, sizeof(API_Element));
}

void ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL(API_QuantitiesMask& mask)
{
    std::memset(&mask, 0xFF, sizeof(API_QuantitiesMask));
}

GSErrCode ACAPI_Element_GetQuantities(const API_Guid& guid, const API_QuantityPar*, API_Quantities* quantities,
                                      const API_QuantitiesMask* mask)
{
    SIM_ENTER("ACAPI_Element_GetQuantities");
    return Element_GetQuantities(guid, quantities, mask);
}

GSErrCode ACAPI_Element_Get3DInfo(const API_Elem_Head& head, API_ElemInfo3D* info3D)
{
    SIM_ENTER("ACAPI_Element_Get3DInfo");
    return Element_Get3DInfo(head, info3D, APIERR_NO3D, APIERR_NO3D);
}

GSErrCode ACAPI_Element_GetIFCAttributes(const API_Guid& guid, bool, GS::Array<API_IFCAttribute>* ifcAttributes)
{
    SIM_ENTER("ACAPI_Element_GetIFCAttributes");
    if (ifcAttributes == nullptr)
        return APIERR_BADPARS;
    const auto* attributes = IfcAttributes(guid);
    if (attributes == nullptr)
        return APIERR_BADID;
    ifcAttributes->Clear();
    for (const auto& [name, value] : *attributes)
        ifcAttributes->Push({GS::UniString(name), GS::UniString(value)});
    return NoError;
}

GSErrCode ACAPI_Notify_CatchNewElement(const API_ToolBoxItem* elemType, APIElementEventHandlerProc* handlerProc)
{
    SIM_ENTER("ACAPI_Notify_CatchNewElement");
    return Notify_CatchNewElement(elemType != nullptr ? &elemType->typeID : nullptr, handlerProc);
}

GSErrCode ACAPI_Notify_InstallElementObserver(APIElementEventHandlerProc* handlerProc)
{
    SIM_ENTER("ACAPI_Notify_InstallElementObserver");
    return Notify_InstallElementObserver(handlerProc);
}

GSErrCode ACAPI_Notify_GetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 mask,
                                        API_ElementUserData* userData)
{
    SIM_ENTER("ACAPI_Notify_GetParentElement");
    return Notify_GetParentElement(element, memo, mask, userData, APIERR_BADID);
}

GSErrCode ACAPI_LibPart_Search(API_LibPart* ancestor, bool createIfMissing, bool onlyPlaceable)
{
    SIM_ENTER("ACAPI_LibPart_Search");
    return LibPart_Search(ancestor, createIfMissing, onlyPlaceable);
}

GSErrCode ACAPI_LibPart_Get(API_LibPart* libPart)
{
    SIM_ENTER("ACAPI_LibPart_Get");
    return LibPart_Get(libPart);
}

GSErrCode ACAPI_LibPart_Register(API_LibPart* libPart)
{
    SIM_ENTER("ACAPI_LibPart_Register");
    return LibPart_Register(libPart);
}

GSErrCode ACAPI_LibPart_GetSection(Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl,
                                   GS::UniString* sectionStr, GS::UniString* password)
{
    SIM_ENTER("ACAPI_LibPart_GetSection");
    return LibPart_GetSection(libInd, section, sectionHdl, sectionStr, password);
}

GSErrCode ACAPI_LibPart_AddSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                                   const GS::UniString* sectionStr)
{
    SIM_ENTER("ACAPI_LibPart_AddSection");
    return LibPart_WriteSection(libInd, section, sectionHdl, sectionStr, false);
}

GSErrCode ACAPI_LibPart_UpdateSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                                      const GS::UniString* sectionStr, GS::UniString*)
{
    SIM_ENTER("ACAPI_LibPart_UpdateSection");
    return LibPart_WriteSection(libInd, section, sectionHdl, sectionStr, true);
}

GSErrCode ACAPI_LibPart_GetParams(Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars)
{
    SIM_ENTER("ACAPI_LibPart_GetParams");
    return LibPart_GetParams(libInd, a, b, addParNum, addPars);
}

GSErrCode ACAPI_LibPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars, double* a, double* b,
                                         GSHandle sect2DDrawHdl, GSHandle* sectHdl, GS::UniString* password)
{
    SIM_ENTER("ACAPI_LibPart_GetSect_ParamDef");
    return LibPart_GetSect_ParamDef(libPart, addPars, a, b, sect2DDrawHdl, sectHdl, password);
}

GSErrCode ACAPI_LibPart_SetDetails_ParamDef(const API_LibPart* libPart, GSHandle, API_LibPartDetails* details)
{
    SIM_ENTER("ACAPI_LibPart_SetDetails_ParamDef");
    if (details == nullptr)
        return APIERR_BADPARS;
    const sim::LibPart::Details own = sim::DetailsOf(*details);
    return LibPart_SetDetails(libPart, &own);
}

GSErrCode ACAPI_Attribute_SetUserData(API_Attr_Head* head, const API_UserData* userData)
{
    SIM_ENTER("ACAPI_Attribute_SetUserData");
    return Attribute_SetUserData(head, userData);
}

GSErrCode ACAPI_Attribute_GetUserData(API_Attr_Head* head, API_UserData* userData)
{
    SIM_ENTER("ACAPI_Attribute_GetUserData");
    return Attribute_GetUserData(head, userData);
}

GSErrCode ACAPI_Register_SupportedService(GSType cmdID, Int32 cmdVersion)
{
    SIM_ENTER("ACAPI_Register_SupportedService");
    return Register_SupportedService(cmdID, cmdVersion);
}

GSErrCode ACAPI_Register_Menu(short menuStrResID, short promptStrResID, Int32 menuPosCode, GSFlags menuFlags)
{
    SIM_ENTER("ACAPI_Register_Menu");
    return Register_Menu(menuStrResID, promptStrResID, menuPosCode, menuFlags);
}

GSErrCode ACAPI_Register_FileType(Int32 refCon, GSType ftype, GSType fcreator, const char* extname, short iconResID,
                                  short descStrResID, short descStrResItemID, API_IOMethod methodFlags)
{
    SIM_ENTER("ACAPI_Register_FileType");
    return Register_FileType(refCon, ftype, fcreator, extname, iconResID, descStrResID, descStrResItemID, methodFlags);
}

GSErrCode ACAPI_Install_MenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc)
{
    SIM_ENTER("ACAPI_Install_MenuHandler");
    return Install_MenuHandler(menuStrResID, handlerProc);
}

GSErrCode ACAPI_Install_FileTypeHandler(GSType cmdID, APIIOCommandProc* handlerProc)
{
    SIM_ENTER("ACAPI_Install_FileTypeHandler");
    return Install_FileTypeHandler(cmdID, handlerProc);
}

GSErrCode ACAPI_Notify_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc)
{
    SIM_ENTER("ACAPI_Notify_CatchProjectEvent");
    return Notify_CatchProjectEvent(eventTypes, handlerProc);
}
