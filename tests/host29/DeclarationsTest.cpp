// Generation 29's surface as the host's public API reference declares it: every call the
// add-on makes, with its parameter types, their order, const and return type, and the record
// members it uses. A declaration that differs fails to build this file. Defaulted parameters
// are checked by calls that leave them out.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ACAPinc.h"
#include "IFCAttribute.hpp"
#include "IFCObjectAccessor.hpp"
#include "IFCPropertyAccessor.hpp"

namespace {

template <typename F, typename Expected> constexpr bool Is = std::is_same_v<F, Expected>;
template <typename T> T& Any();

using Pairs = GS::Array<GS::Pair<API_Guid, API_Guid>>;

// Same name and parameters as in generation 26.
static_assert(Is<decltype(&ACAPI_Element_AddClassificationItem), GSErrCode (*)(const API_Guid&, const API_Guid&)>);
static_assert(Is<decltype(&ACAPI_Element_Change),
                 GSErrCode (*)(API_Element*, const API_Element*, const API_ElementMemo*, UInt64, bool)>);
static_assert(
    Is<decltype(&ACAPI_Element_SetProperties), GSErrCode (*)(const API_Guid&, const GS::Array<API_Property>&)>);
static_assert(Is<decltype(&ACAPI_Element_SetProperty), GSErrCode (*)(const API_Guid&, const API_Property&)>);
static_assert(Is<decltype(&ACAPI_Element_SetUserData), GSErrCode (*)(API_Elem_Head*, const API_ElementUserData*)>);
static_assert(
    Is<decltype(&ACAPI_CallUndoableCommand), GSErrCode (*)(const GS::UniString&, const std::function<GSErrCode()>&)>);
static_assert(
    Is<decltype(&ACAPI_Attribute_AddClassificationItem), GSErrCode (*)(const API_Attr_Head&, const API_Guid&)>);
static_assert(Is<decltype(&ACAPI_Attribute_SetProperty), GSErrCode (*)(const API_Attr_Head&, const API_Property&)>);
static_assert(Is<decltype(&ACAPI_Classification_CreateClassificationItem),
                 GSErrCode (*)(API_ClassificationItem&, const API_Guid&, const API_Guid&, const API_Guid&)>);
static_assert(Is<decltype(&ACAPI_Classification_CreateClassificationSystem), GSErrCode (*)(API_ClassificationSystem&)>);
static_assert(Is<decltype(&ACAPI_Element_AttachObserver), GSErrCode (*)(const API_Guid&, GSFlags)>);
static_assert(Is<decltype(&ACAPI_Property_ChangePropertyDefinition), GSErrCode (*)(const API_PropertyDefinition&)>);
static_assert(Is<decltype(&ACAPI_Property_CreatePropertyDefinition), GSErrCode (*)(API_PropertyDefinition&)>);
static_assert(Is<decltype(&ACAPI_Property_CreatePropertyGroup), GSErrCode (*)(API_PropertyGroup&)>);
static_assert(Is<decltype(&ACAPI_Attribute_CreateExt), GSErrCode (*)(API_Attribute*, API_AttributeDefExt*)>);
static_assert(Is<decltype(&ACAPI_Attribute_ModifyExt), GSErrCode (*)(API_Attribute*, API_AttributeDefExt*)>);
static_assert(Is<decltype(&ACAPI_ModulData_Store), GSErrCode (*)(const API_ModulData*, const GS::UniString&)>);
static_assert(Is<decltype(&ACAPI_ModulData_Get), GSErrCode (*)(API_ModulData*, const GS::UniString&)>);
static_assert(Is<decltype(&ACAPI_ModulData_GetList), GSErrCode (*)(GS::Array<GS::UniString>*)>);
static_assert(Is<decltype(&ACAPI_Attribute_Get), GSErrCode (*)(API_Attribute*)>);
static_assert(Is<decltype(&ACAPI_Attribute_Search), GSErrCode (*)(API_Attr_Head*)>);
static_assert(Is<decltype(&ACAPI_Attribute_GetClassificationItems), GSErrCode (*)(const API_Attr_Head&, Pairs&)>);
static_assert(Is<decltype(&ACAPI_Element_GetClassificationItems), GSErrCode (*)(const API_Guid&, Pairs&)>);
static_assert(
    Is<decltype(&ACAPI_Attribute_GetDef), GSErrCode (*)(API_AttrTypeID, API_AttributeIndex, API_AttributeDef*)>);
static_assert(
    Is<decltype(&ACAPI_Attribute_GetDefExt), GSErrCode (*)(API_AttrTypeID, API_AttributeIndex, API_AttributeDefExt*)>);
static_assert(
    Is<decltype(&ACAPI_Attribute_GetPropertyDefinitions),
       GSErrCode (*)(const API_Attr_Head&, API_PropertyDefinitionFilter, GS::Array<API_PropertyDefinition>&)>);
static_assert(Is<decltype(&ACAPI_Attribute_GetPropertyValue),
                 GSErrCode (*)(const API_Attr_Head&, const API_Guid&, API_Property&)>);
static_assert(
    Is<decltype(&ACAPI_Attribute_GetPropertyValues),
       GSErrCode (*)(const API_Attr_Head&, const GS::Array<API_PropertyDefinition>&, GS::Array<API_Property>&)>);
static_assert(Is<decltype(&ACAPI_Classification_GetClassificationItemChildren),
                 GSErrCode (*)(const API_Guid&, GS::Array<API_ClassificationItem>&)>);
static_assert(Is<decltype(&ACAPI_Classification_GetClassificationSystem), GSErrCode (*)(API_ClassificationSystem&)>);
static_assert(Is<decltype(&ACAPI_Classification_GetClassificationSystemRootItems),
                 GSErrCode (*)(const API_Guid&, GS::Array<API_ClassificationItem>&)>);
static_assert(Is<decltype(&ACAPI_DisposeAddParHdl), GSErrCode (*)(API_AddParType***)>);
static_assert(Is<decltype(&ACAPI_DisposeAttrDefsHdls), GSErrCode (*)(API_AttributeDef*)>);
static_assert(Is<decltype(&ACAPI_DisposeAttrDefsHdlsExt), GSErrCode (*)(API_AttributeDefExt*)>);
static_assert(Is<decltype(&ACAPI_DisposeElemMemoHdls), GSErrCode (*)(API_ElementMemo*)>);
static_assert(Is<decltype(&ACAPI_ELEMENT_QUANTITIES_MASK_SETFULL), void (*)(API_QuantitiesMask&)>);
static_assert(Is<decltype(&ACAPI_Element_GetMemo), GSErrCode (*)(const API_Guid&, API_ElementMemo*, UInt64)>);
static_assert(Is<decltype(&ACAPI_Element_GetPropertyValuesByGuid),
                 GSErrCode (*)(const API_Guid&, const GS::Array<API_Guid>&, GS::Array<API_Property>&)>);
static_assert(Is<decltype(&ACAPI_Element_GetPropertyDefinitions),
                 GSErrCode (*)(const API_Guid&, API_PropertyDefinitionFilter, GS::Array<API_PropertyDefinition>&)>);
static_assert(Is<decltype(&ACAPI_GetOwnResModule), GSResModule (*)(void)>);
static_assert(
    Is<decltype(&ACAPI_IFC_GetIFCExportTranslatorsList), GSErrCode (*)(GS::Array<API_IFCTranslatorIdentifier>&)>);
static_assert(Is<decltype(&ACAPI_KeepInMemory), void (*)(bool)>);
static_assert(Is<decltype(&ACAPI_Property_GetPropertyDefinitions),
                 GSErrCode (*)(const API_Guid&, GS::Array<API_PropertyDefinition>&)>);
static_assert(Is<decltype(&ACAPI_Property_GetPropertyGroup), GSErrCode (*)(API_PropertyGroup&)>);
static_assert(Is<decltype(&ACAPI_Property_GetPropertyGroups), GSErrCode (*)(GS::Array<API_PropertyGroup>&)>);
static_assert(Is<decltype(&ACAPI_Property_GetPropertyValueString), GSErrCode (*)(const API_Property&, GS::UniString*)>);
static_assert(Is<decltype(&ACAPI_RegisterModelessWindow),
                 GSErrCode (*)(Int32, APIPaletteControlCallBackProc*, GSFlags, const API_Guid&)>);

// Renamed, with the parameters generation 26 had.
static_assert(Is<decltype(&ACAPI_UserData_SetUserData), GSErrCode (*)(API_Attr_Head*, const API_AttributeUserData*)>);
static_assert(Is<decltype(&ACAPI_UserData_GetUserData), GSErrCode (*)(API_Attr_Head*, API_AttributeUserData*)>);
static_assert(Is<decltype(&ACAPI_LibraryManagement_SetLibraries), GSErrCode (*)(const GS::Array<API_LibraryInfo>*)>);
static_assert(Is<decltype(&ACAPI_LibraryManagement_GetLibraries), GSErrCode (*)(GS::Array<API_LibraryInfo>*, Int32*)>);
static_assert(Is<decltype(&ACAPI_LibraryPart_Register), GSErrCode (*)(API_LibPart*)>);
static_assert(Is<decltype(&ACAPI_LibraryPart_Get), GSErrCode (*)(API_LibPart*)>);
static_assert(Is<decltype(&ACAPI_LibraryPart_Search), GSErrCode (*)(API_LibPart*, bool, bool)>);
static_assert(
    Is<decltype(&ACAPI_LibraryPart_GetParams), GSErrCode (*)(Int32, double*, double*, Int32*, API_AddParType***)>);
static_assert(
    Is<decltype(&ACAPI_LibraryPart_GetSect_ParamDef),
       GSErrCode (*)(const API_LibPart*, API_AddParType**, double*, double*, GSHandle, GSHandle*, GS::UniString*)>);
static_assert(Is<decltype(&ACAPI_LibraryPart_GetSection),
                 GSErrCode (*)(Int32, API_LibPartSection*, GSHandle*, GS::UniString*, GS::UniString*)>);
static_assert(Is<decltype(&ACAPI_LibraryPart_GetElemLibPartUnId), GSErrCode (*)(API_Elem_Head*, char*)>);
static_assert(Is<decltype(&ACAPI_Database_ChangeCurrentDatabase), GSErrCode (*)(API_DatabaseInfo*)>);
static_assert(Is<decltype(&ACAPI_Database_GetCurrentDatabase), GSErrCode (*)(API_DatabaseInfo*)>);
static_assert(Is<decltype(&ACAPI_Element_GetElementInfoString), GSErrCode (*)(const API_Guid*, GS::UniString*)>);
static_assert(Is<decltype(&ACAPI_ModelAccess_Get3DInfo), GSErrCode (*)(const API_Elem_Head&, API_ElemInfo3D*)>);
static_assert(Is<decltype(&ACAPI_ProjectSetting_GetProjectNotes), GSErrCode (*)(API_ProjectNoteInfo*)>);
static_assert(Is<decltype(&ACAPI_ProjectSettings_GetSpecFolder), GSErrCode (*)(API_SpecFolderID*, IO::Location*)>);
static_assert(Is<decltype(&ACAPI_Element_UI2ElemPriority), GSErrCode (*)(GS::Int32*, GS::Int32*)>);
static_assert(Is<decltype(&ACAPI_AddOnIntegration_InstallFileTypeHandler), GSErrCode (*)(GSType, APIIOCommandProc*)>);
static_assert(Is<decltype(&ACAPI_MenuItem_InstallMenuHandler), GSErrCode (*)(short, APIMenuCommandProc*)>);
static_assert(Is<decltype(&ACAPI_ProcessWindow_CloseProcessWindow), GSErrCode (*)()>);
static_assert(Is<decltype(&ACAPI_ProcessWindow_IsProcessCanceled), GSErrCode (*)()>);
static_assert(
    Is<decltype(&ACAPI_Element_CatchNewElement), GSErrCode (*)(const API_ToolBoxItem*, APIElementEventHandlerProc*)>);
static_assert(
    Is<decltype(&ACAPI_ProjectOperation_CatchProjectEvent), GSErrCode (*)(GSFlags, APIProjectEventHandlerProc*)>);
static_assert(Is<decltype(&ACAPI_Notification_GetParentElement),
                 GSErrCode (*)(API_Element*, API_ElementMemo*, UInt64, API_ElementUserData*)>);
static_assert(Is<decltype(&ACAPI_Element_InstallElementObserver), GSErrCode (*)(APIElementEventHandlerProc*)>);
static_assert(Is<decltype(&ACAPI_AddOnIntegration_RegisterFileType),
                 GSErrCode (*)(Int32, GSType, GSType, const char*, short, short, short, API_IOMethod)>);
static_assert(Is<decltype(&ACAPI_AddOnAddOnCommunication_RegisterSupportedService), GSErrCode (*)(GSType, Int32)>);

// Parameters that changed.
static_assert(Is<decltype(&ACAPI_ProjectOperation_Save),
                 GSErrCode (*)(const API_FileSavePars*, const API_SavePars_Ifc*, API_IFCRelationshipData*)>);
static_assert(
    Is<decltype(&ACAPI_LibraryPart_AddSection), GSErrCode (*)(const API_LibPartSection*, GSHandle, GS::UniString*)>);
static_assert(Is<decltype(&ACAPI_Attribute_Create), GSErrCode (*)(API_Attribute*, API_AttributeDef*)>);
static_assert(Is<decltype(&ACAPI_Attribute_Modify), GSErrCode (*)(API_Attribute*, API_AttributeDef*)>);
static_assert(Is<decltype(&ACAPI_LibraryPart_UpdateSection),
                 GSErrCode (*)(Int32, const API_LibPartSection*, GSHandle, GS::UniString*, GS::UniString*)>);
static_assert(Is<decltype(&ACAPI_Attribute_GetNum), GSErrCode (*)(API_AttrTypeID, UInt32&)>);
static_assert(Is<decltype(&ACAPI_Window_GetDatabaseInfo), GSErrCode (*)(API_DatabaseInfo*, API_DatabaseUnId*)>);
static_assert(Is<decltype(&ACAPI_Element_Get), GSErrCode (*)(API_Element*, UInt32)>);
static_assert(Is<decltype(&ACAPI_Element_GetElemList),
                 GSErrCode (*)(const API_ElemType&, GS::Array<API_Guid>*, API_ElemFilterFlags, const API_Guid&)>);
static_assert(Is<decltype(&ACAPI_Element_GetQuantities),
                 GSErrCode (*)(API_Guid, const API_QuantityPar*, API_Quantities*, const API_QuantitiesMask*)>);
static_assert(Is<decltype(&ACAPI_Element_GetElemTypeName), GSErrCode (*)(const API_ElemType&, GS::UniString&)>);
static_assert(Is<decltype(&ACAPI_ProcessWindow_InitProcessWindow),
                 GSErrCode (*)(const GS::UniString*, Int32*, API_ProcessControlTypeID*)>);
static_assert(
    Is<decltype(&ACAPI_ProcessWindow_SetNextProcessPhase), GSErrCode (*)(const GS::UniString*, Int32*, bool*)>);
static_assert(Is<decltype(&ACAPI_ProcessWindow_SetProcessValue), GSErrCode (*)(Int32*)>);
static_assert(Is<decltype(&ACAPI_LibraryPart_SetDetails_ParamDef),
                 GSErrCode (*)(const API_LibPart*, GSHandle, const API_LibPartDetails*)>);
static_assert(Is<decltype(&ACAPI_MenuItem_RegisterMenu), GSErrCode (*)(short, short, APIMenuCodeID, GSFlags)>);

// Defaults: these calls leave the defaulted parameters out.
static_assert(Is<decltype(ACAPI_Element_Get(&Any<API_Element>())), GSErrCode>);
static_assert(Is<decltype(ACAPI_Element_GetMemo(Any<API_Guid>(), &Any<API_ElementMemo>())), GSErrCode>);
static_assert(Is<decltype(ACAPI_Element_GetElemList(API_WallID, &Any<GS::Array<API_Guid>>())), GSErrCode>);
static_assert(Is<decltype(ACAPI_Element_GetQuantities(Any<API_Guid>(), nullptr, &Any<API_Quantities>())), GSErrCode>);
static_assert(Is<decltype(ACAPI_ModulData_Store(&Any<API_ModulData>())), GSErrCode>);
static_assert(Is<decltype(ACAPI_ModulData_Get(&Any<API_ModulData>())), GSErrCode>);
static_assert(Is<decltype(ACAPI_Window_GetDatabaseInfo(&Any<API_DatabaseInfo>())), GSErrCode>);
static_assert(Is<decltype(ACAPI_ProcessWindow_InitProcessWindow()), GSErrCode>);
static_assert(Is<decltype(ACAPI_ProcessWindow_SetNextProcessPhase(nullptr, nullptr)), GSErrCode>);
static_assert(Is<decltype(ACAPI_ProjectOperation_Save(nullptr, nullptr)), GSErrCode>);
static_assert(Is<decltype(ACAPI_RegisterModelessWindow(1, nullptr, 0)), GSErrCode>);
static_assert(Is<decltype(ACAPI_LibraryManagement_GetLibraries(nullptr)), GSErrCode>);

// IFCAPI and ACAPI::Result.
static_assert(Is<decltype(IFCAPI::GetObjectAccessor()), IFCAPI::ObjectAccessor>);
static_assert(Is<decltype(&IFCAPI::ObjectAccessor::CreateElementObjectID),
                 ACAPI::Result<IFCAPI::ObjectID> (IFCAPI::ObjectAccessor::*)(const API_Elem_Head&) const>);
static_assert(Is<decltype(&IFCAPI::PropertyAccessor::GetAttributes),
                 ACAPI::Result<std::vector<IFCAPI::Attribute>> (IFCAPI::PropertyAccessor::*)() const>);
static_assert(std::is_constructible_v<IFCAPI::PropertyAccessor, const IFCAPI::ObjectID&>);
static_assert(Is<decltype(&IFCAPI::Attribute::GetName), GS::UniString (IFCAPI::Attribute::*)() const>);
static_assert(Is<decltype(&IFCAPI::Attribute::GetValue), std::optional<GS::UniString> (IFCAPI::Attribute::*)() const>);
static_assert(Is<decltype(&IFCAPI::Attribute::GetValueType), IFCAPI::IFCType (IFCAPI::Attribute::*)() const>);
static_assert(Is<decltype(std::declval<ACAPI::Result<int>>().IsOk()), bool>);
static_assert(Is<decltype(std::declval<ACAPI::Result<int>>().UnwrapErr().kind), GSErrCode>);

// Records.
static_assert(!std::is_convertible_v<Int32, API_AttributeIndex>, "no attribute index from an integer");
static_assert(!std::is_convertible_v<API_AttributeIndex, Int32>, "no integer from an attribute index");
static_assert(Is<decltype(&ACAPI_CreateAttributeIndex), API_AttributeIndex (*)(Int32)>);
static_assert(Is<decltype(&API_AttributeIndex::ToInt32_Deprecated), Int32 (API_AttributeIndex::*)() const>);
static_assert(Is<decltype(API_Attr_Head::index), API_AttributeIndex>);
static_assert(Is<decltype(API_Attr_Head::flags), short>);
static_assert(Is<decltype(API_Attr_Head::modiTime), UInt64>);
static_assert(API_CompWallID == 4 && API_ProfileID == 8 && API_BuildingMaterialID == 12);
static_assert(Is<decltype(API_BuildingMaterialType::cutFill), API_AttributeIndex>);
static_assert(Is<decltype(API_BuildingMaterialType::cutMaterial), API_AttributeIndex>);
static_assert(Is<decltype(API_BuildingMaterialType::cutFillOrientation), API_FillOrientationID>);
static_assert(Is<decltype(API_CWallComponent::buildingMaterial), API_AttributeIndex>);
static_assert(Is<decltype(API_CWallLineComponent::ltypeInd), API_AttributeIndex>);
static_assert(Is<decltype(API_Elem_Head::type), API_ElemType>);
static_assert(Is<decltype(API_ElemType::typeID), API_ElemTypeID>);
static_assert(std::is_convertible_v<API_ElemTypeID, API_ElemType>);
static_assert(Is<decltype(API_WallType::type), API_WallTypeID>);
static_assert(Is<decltype(API_WallType::composite), API_AttributeIndex>);
static_assert(Is<decltype(API_ObjectType::ownerType), API_ElemType>);
static_assert(Is<decltype(API_WindowType::openingBase.libInd), Int32>);
static_assert(Is<API_DoorType, API_WindowType>);
static_assert(Is<decltype(API_ColumnType::nSegments), UInt32>);
static_assert(Is<decltype(API_ElementMemo::columnSegments), API_ColumnSegmentType*>);
static_assert(Is<decltype(API_ElementMemo::beamSegments), API_BeamSegmentType*>);
static_assert(std::is_union_v<API_ElementQuantity>);
static_assert(Is<decltype(API_ElementQuantity::wall.volume), double>);
static_assert(Is<decltype(API_ElementQuantity::column.coreVolume), double>);
static_assert(Is<decltype(API_ElementQuantity::beam.edgeSurfaceLeft), double>);
static_assert(Is<API_DoorQuantity, API_WindowQuantity>);
static_assert(Is<decltype(API_ElementQuantity::cw.contourSurface), double>);
static_assert(Is<decltype(API_ElementQuantity::stair.volume), double>);
static_assert(Is<decltype(API_Quantities::elements), API_ElementQuantity*>);
static_assert(Is<decltype(API_QuantitiesMask::elements), API_ElementQuantityMask>);
static_assert(Is<std::remove_all_extents_t<decltype(API_LibPart::docu_UName)>, GS::uchar_t>);
static_assert(Is<std::remove_all_extents_t<decltype(API_LibPart::file_UName)>, GS::uchar_t>);
static_assert(Is<decltype(API_LibPart::ownerID), GSType>);
static_assert(Is<decltype(API_LibPartSection::subIdent), unsigned short>);
static_assert(Is<std::remove_all_extents_t<decltype(API_AddParType::uDescname)>, GS::uchar_t>);
static_assert(Is<std::remove_all_extents_t<decltype(API_AddParType::value.uStr)>, GS::uchar_t>);
static_assert(std::is_union_v<API_LibPartDetails>);
static_assert(Is<decltype(API_LibPartDetails::wind), API_LibPartDoorWindowDetails>);
static_assert(Is<API_AttributeUserData, API_UserData>);
static_assert(Is<API_ElementUserData, API_UserData>);
static_assert(Is<decltype(API_UserData::dataVersion), short>);
static_assert(API_PropertyDefinitionFilter_UserDefined == 0 && API_PropertyDefinitionFilter_All == 2);
static_assert(Is<decltype(API_ClassificationSystem::editionDate), std::chrono::year_month_day>);
static_assert(Is<API_DatabaseInfo, API_WindowInfo>);
static_assert(Is<std::remove_all_extents_t<decltype(API_WindowInfo::name)>, GS::uchar_t>);
static_assert(Is<decltype(API_IFCTranslatorIdentifier::innerReference), GSHandle>);
static_assert(Is<decltype(API_SavePars_Ifc::subType), API_IfcTypeID>);
static_assert(Is<decltype(API_SavePars_Ifc::elementsToIfcExport), API_ElementsToIfcExportID>);
static_assert(Is<decltype(API_SavePars_Ifc::elementsSet), const GS::Array<API_Guid>*>);
static_assert(API_EntireProject == 1);
static_assert(Is<decltype(API_IOParams::method), short>);
static_assert(Is<decltype(API_IOParams::fromDragDrop), bool>);
static_assert(Is<decltype(API_MenuItemRef::itemIndex), Int32>);
static_assert(APIAddon_DontRegister == 0 && APIAddon_Normal == 1 && APIAddon_Preload == 2 && APIAddon_Unknown == 9999);
static_assert(APINotify_Quit == 0x40 && APINotify_SendChanges == 0x8000 && APINotify_ChangeLibrary == 0x200000);
static_assert(APIERR_BADPROPERTY == static_cast<GSErrCode>(0x81060134u));
static_assert(MenuCode_UserDef == 0 && MenuCode_Palettes == 12 && MenuCode_Help == 23);
static_assert(Is<decltype(API_ToolBoxItem::type), API_ElemType>);

} // namespace

// Nor does the surface have what generation 29 no longer has.
TEST(Generation29Surface, HasNoneOfTheNamesGeneration29Removed)
{
    const char* removed[] = {"ACAPI_Environment",
                             "ACAPI_Goodies",
                             "ACAPI_Database(",
                             "ACAPI_Interface",
                             "ACAPI_Automate",
                             "ACAPI_LibPart_",
                             "ACAPI_Notify_",
                             "ACAPI_Register_",
                             "ACAPI_Install_",
                             "GetIFCAttributes",
                             "IO_DROP",
                             "API_IFCAttribute",
                             "API_AppDataFolderID",
                             "APIUserDataFlag_UndoAble",
                             "API_ClassificationPairs",
                             "valueDescriptionFlag",
                             "relatedElemType",
                             "nLines",
                             "TIGetTimeRecord"};
    for (const auto& entry : std::filesystem::directory_iterator(KORVEL_HOST_API_DIR)) {
        std::ifstream file(entry.path());
        std::stringstream text;
        text << file.rdbuf();
        for (const char* name : removed)
            EXPECT_EQ(text.str().find(name), std::string::npos) << name << " in " << entry.path();
    }
}
