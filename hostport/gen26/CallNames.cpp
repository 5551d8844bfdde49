// Generation 26.
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

const char* const addSectionCall = "ACAPI_LibPart_AddSection";
const char* const bounds3DCall = "ACAPI_Element_Get3DInfo";
const char* const buildSectionCall = "ACAPI_LibPart_GetSect_ParamDef";
const char* const closeProgressCall = "ACAPI_Interface CloseProcessWindow";
const char* const currentDatabaseCall = "ACAPI_Database GetCurrentDatabase";
const char* const elementInfoCall = "ACAPI_Database GetElementInfoString";
const char* const elementPriorityCall = "ACAPI_Goodies UI2ElemPriority";
const char* const elementPartIdCall = "ACAPI_Goodies GetElemLibPartUnId";
const char* const elementTypeNameCall = "ACAPI_Goodies_GetElemTypeName";
const char* const getAttributeUserDataCall = "ACAPI_Attribute_GetUserData";
const char* const getLibrariesCall = "ACAPI_Environment GetLibraries";
const char* const getLibraryPartCall = "ACAPI_LibPart_Get";
const char* const getParametersCall = "ACAPI_LibPart_GetParams";
const char* const getSectionCall = "ACAPI_LibPart_GetSection";
const char* const ifcAttributesCall = "ACAPI_Element_GetIFCAttributes";
const char* const makeCurrentCall = "ACAPI_Database ChangeCurrentDatabase";
const char* const parentElementCall = "ACAPI_Notify_GetParentElement";
const char* const projectNameCall = "ACAPI_Environment GetProjectNotes";
const char* const registerLibraryPartCall = "ACAPI_LibPart_Register";
const char* const saveIfcCall = "ACAPI_Automate Save";
const char* const searchLibraryPartCall = "ACAPI_LibPart_Search";
const char* const setAttributeUserDataCall = "ACAPI_Attribute_SetUserData";
const char* const setDetailsCall = "ACAPI_LibPart_SetDetails_ParamDef";
const char* const setLibrariesCall = "ACAPI_Environment SetLibraries";
const char* const specialFolderCall = "ACAPI_Environment GetSpecFolder";
const char* const updateSectionCall = "ACAPI_LibPart_UpdateSection";

} // namespace KRV::port
