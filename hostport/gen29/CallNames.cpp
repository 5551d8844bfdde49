// Generation 29.
// The names of the host calls the port makes under another name in the other generation, as
// log lines name them.
#include "AddOnData.hpp"
#include "Attributes.hpp"
#include "Elements.hpp"
#include "Environment.hpp"
#include "Ifc.hpp"
#include "LibraryParts.hpp"
#include "Progress.hpp"

namespace KRV::port {

const char* const addSectionCall = "ACAPI_LibraryPart_UpdateSection";
const char* const bounds3DCall = "ACAPI_ModelAccess_Get3DInfo";
const char* const buildSectionCall = "ACAPI_LibraryPart_GetSect_ParamDef";
const char* const closeProgressCall = "ACAPI_ProcessWindow_CloseProcessWindow";
const char* const currentDatabaseCall = "ACAPI_Database_GetCurrentDatabase";
const char* const elementInfoCall = "ACAPI_Element_GetElementInfoString";
const char* const elementPriorityCall = "ACAPI_Element_UI2ElemPriority";
const char* const elementPartIdCall = "ACAPI_LibraryPart_GetElemLibPartUnId";
const char* const elementTypeNameCall = "ACAPI_Element_GetElemTypeName";
const char* const getAttributeUserDataCall = "ACAPI_UserData_GetUserData";
const char* const getLibrariesCall = "ACAPI_LibraryManagement_GetLibraries";
const char* const getLibraryPartCall = "ACAPI_LibraryPart_Get";
const char* const getParametersCall = "ACAPI_LibraryPart_GetParams";
const char* const getSectionCall = "ACAPI_LibraryPart_GetSection";
const char* const ifcAttributesCall = "IFCAPI::PropertyAccessor::GetAttributes";
const char* const makeCurrentCall = "ACAPI_Database_ChangeCurrentDatabase";
const char* const parentElementCall = "ACAPI_Notification_GetParentElement";
const char* const projectNameCall = "ACAPI_ProjectSetting_GetProjectNotes";
const char* const registerLibraryPartCall = "ACAPI_LibraryPart_Register";
const char* const saveIfcCall = "ACAPI_ProjectOperation_Save";
const char* const searchLibraryPartCall = "ACAPI_LibraryPart_Search";
const char* const setAttributeUserDataCall = "ACAPI_UserData_SetUserData";
const char* const setDetailsCall = "ACAPI_LibraryPart_SetDetails_ParamDef";
const char* const setLibrariesCall = "ACAPI_LibraryManagement_SetLibraries";
const char* const specialFolderCall = "ACAPI_ProjectSettings_GetSpecFolder";
const char* const updateSectionCall = "ACAPI_LibraryPart_UpdateSection";

} // namespace KRV::port
