// The logical calls of the stand-alone host: each host function a generation names (a
// request function by its request code) maps to one id, by which calls are counted and faults
// injected. A test, a fault sweep or a benchmark names the id, and runs unchanged on a
// generation whose names for the same call differ: that generation adds its names here.
#include "CallIds.hpp"

#include <string>
#include <unordered_map>

namespace sim {

namespace {

struct CallName {
    const char* function;
    const char* id;
};

// Generation 26.
const CallName generation26[] = {
    {"ACAPI_Attribute_AddClassificationItem", "Attribute.AddClassificationItem"},
    {"ACAPI_Attribute_Create", "Attribute.Create"},
    {"ACAPI_Attribute_CreateExt", "Attribute.CreateExt"},
    {"ACAPI_Attribute_Get", "Attribute.Get"},
    {"ACAPI_Attribute_GetClassificationItems", "Attribute.GetClassificationItems"},
    {"ACAPI_Attribute_GetDef", "Attribute.GetDef"},
    {"ACAPI_Attribute_GetDefExt", "Attribute.GetDefExt"},
    {"ACAPI_Attribute_GetNum", "Attribute.GetNum"},
    {"ACAPI_Attribute_GetPropertyDefinitions", "Attribute.GetPropertyDefinitions"},
    {"ACAPI_Attribute_GetPropertyValue", "Attribute.GetPropertyValue"},
    {"ACAPI_Attribute_GetPropertyValues", "Attribute.GetPropertyValues"},
    {"ACAPI_Attribute_GetUserData", "Attribute.GetUserData"},
    {"ACAPI_Attribute_Modify", "Attribute.Modify"},
    {"ACAPI_Attribute_ModifyExt", "Attribute.ModifyExt"},
    {"ACAPI_Attribute_Search", "Attribute.Search"},
    {"ACAPI_Attribute_SetProperty", "Attribute.SetProperty"},
    {"ACAPI_Attribute_SetUserData", "Attribute.SetUserData"},
    {"ACAPI_CallUndoableCommand", "CallUndoableCommand"},
    {"ACAPI_Classification_CreateClassificationItem", "Classification.CreateClassificationItem"},
    {"ACAPI_Classification_CreateClassificationSystem", "Classification.CreateClassificationSystem"},
    {"ACAPI_Classification_GetClassificationItemChildren", "Classification.GetClassificationItemChildren"},
    {"ACAPI_Classification_GetClassificationSystem", "Classification.GetClassificationSystem"},
    {"ACAPI_Classification_GetClassificationSystemRootItems", "Classification.GetClassificationSystemRootItems"},
    {"ACAPI_DisposeAddParHdl", "DisposeAddParHdl"},
    {"ACAPI_DisposeAttrDefsHdls", "DisposeAttrDefsHdls"},
    {"ACAPI_DisposeAttrDefsHdlsExt", "DisposeAttrDefsHdlsExt"},
    {"ACAPI_DisposeElemMemoHdls", "DisposeElemMemoHdls"},
    {"ACAPI_Element_AddClassificationItem", "Element.AddClassificationItem"},
    {"ACAPI_Element_AttachObserver", "Element.AttachObserver"},
    {"ACAPI_Element_Change", "Element.Change"},
    {"ACAPI_Element_Get", "Element.Get"},
    {"ACAPI_Element_Get3DInfo", "Element.Get3DInfo"},
    {"ACAPI_Element_GetClassificationItems", "Element.GetClassificationItems"},
    {"ACAPI_Element_GetElemList", "Element.GetElemList"},
    {"ACAPI_Element_GetIFCAttributes", "Element.GetIFCAttributes"},
    {"ACAPI_Element_GetMemo", "Element.GetMemo"},
    {"ACAPI_Element_GetPropertyDefinitions", "Element.GetPropertyDefinitions"},
    {"ACAPI_Element_GetPropertyValue", "Element.GetPropertyValue"},
    {"ACAPI_Element_GetPropertyValuesByGuid", "Element.GetPropertyValuesByGuid"},
    {"ACAPI_Element_GetQuantities", "Element.GetQuantities"},
    {"ACAPI_Element_GetUserData", "Element.GetUserData"},
    {"ACAPI_Element_SetProperties", "Element.SetProperties"},
    {"ACAPI_Element_SetProperty", "Element.SetProperty"},
    {"ACAPI_Element_SetUserData", "Element.SetUserData"},
    {"ACAPI_Goodies_GetElemTypeName", "Goodies.GetElemTypeName"},
    {"ACAPI_IFC_GetIFCExportTranslatorsList", "IFC.GetIFCExportTranslatorsList"},
    {"ACAPI_Install_FileTypeHandler", "Install.FileTypeHandler"},
    {"ACAPI_Install_MenuHandler", "Install.MenuHandler"},
    {"ACAPI_LibPart_AddSection", "LibPart.AddSection"},
    {"ACAPI_LibPart_Get", "LibPart.Get"},
    {"ACAPI_LibPart_GetParams", "LibPart.GetParams"},
    {"ACAPI_LibPart_GetSect_ParamDef", "LibPart.GetSect_ParamDef"},
    {"ACAPI_LibPart_GetSection", "LibPart.GetSection"},
    {"ACAPI_LibPart_Register", "LibPart.Register"},
    {"ACAPI_LibPart_Search", "LibPart.Search"},
    {"ACAPI_LibPart_SetDetails_ParamDef", "LibPart.SetDetails_ParamDef"},
    {"ACAPI_LibPart_UpdateSection", "LibPart.UpdateSection"},
    {"ACAPI_ModulData_Get", "ModulData.Get"},
    {"ACAPI_ModulData_GetList", "ModulData.GetList"},
    {"ACAPI_ModulData_Store", "ModulData.Store"},
    {"ACAPI_Notify_CatchNewElement", "Notify.CatchNewElement"},
    {"ACAPI_Notify_CatchProjectEvent", "Notify.CatchProjectEvent"},
    {"ACAPI_Notify_GetParentElement", "Notify.GetParentElement"},
    {"ACAPI_Notify_InstallElementObserver", "Notify.InstallElementObserver"},
    {"ACAPI_Property_ChangePropertyDefinition", "Property.ChangePropertyDefinition"},
    {"ACAPI_Property_CreatePropertyDefinition", "Property.CreatePropertyDefinition"},
    {"ACAPI_Property_CreatePropertyGroup", "Property.CreatePropertyGroup"},
    {"ACAPI_Property_GetPropertyDefinitions", "Property.GetPropertyDefinitions"},
    {"ACAPI_Property_GetPropertyGroup", "Property.GetPropertyGroup"},
    {"ACAPI_Property_GetPropertyGroups", "Property.GetPropertyGroups"},
    {"ACAPI_Property_GetPropertyValueString", "Property.GetPropertyValueString"},
    {"ACAPI_RegisterModelessWindow", "RegisterModelessWindow"},
    {"ACAPI_Register_FileType", "Register.FileType"},
    {"ACAPI_Register_Menu", "Register.Menu"},
    {"ACAPI_Register_SupportedService", "Register.SupportedService"},
    {"ACAPI_UnregisterModelessWindow", "UnregisterModelessWindow"},
    {"ACAPI_Automate/SAVE", "Automate.Save"},
    {"ACAPI_Database/CDAT", "Database.ChangeCurrentDatabase"},
    {"ACAPI_Database/GCIS", "Database.GetElementInfoString"},
    {"ACAPI_Database/GDAT", "Database.GetCurrentDatabase"},
    {"ACAPI_Database/GDBI", "Database.GetDatabaseInfo"},
    {"ACAPI_Environment/GLIB", "Environment.GetLibraries"},
    {"ACAPI_Environment/GPRN", "Environment.GetProjectNotes"},
    {"ACAPI_Environment/GSPF", "Environment.GetSpecFolder"},
    {"ACAPI_Environment/SLIB", "Environment.SetLibraries"},
    {"ACAPI_Goodies/GELU", "Goodies.GetElemLibPartUnId"},
    {"ACAPI_Goodies/U2EP", "Goodies.UI2ElemPriority"},
    {"ACAPI_Interface/CANC", "Interface.IsProcessCanceled"},
    {"ACAPI_Interface/CPWD", "Interface.CloseProcessWindow"},
    {"ACAPI_Interface/IPWD", "Interface.InitProcessWindow"},
    {"ACAPI_Interface/SPRP", "Interface.SetNextProcessPhase"},
};

} // namespace

const char* CallId(const std::string& function)
{
    static const std::unordered_map<std::string, const char*> ids = [] {
        std::unordered_map<std::string, const char*> table;
        for (const CallName& name : generation26)
            table.emplace(name.function, name.id);
        return table;
    }();
    auto it = ids.find(function);
    return it == ids.end() ? nullptr : it->second;
}

std::string FunctionOf(const std::string& id)
{
    for (const CallName& name : generation26)
        if (id == name.id)
            return name.function;
    return id;
}

} // namespace sim
