#pragma once
// The calls whose names or parameters differ between generations (generation 26 serves many
// of them as request codes of ACAPI_Environment, ACAPI_Goodies, ACAPI_Interface,
// ACAPI_Database and ACAPI_Automate): one implementation each, which the entry points of each
// generation (gen<N>/) call after entering the call under their own name.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "APIdefs_Elements.h"
#include "APIdefs_Environment.h"
#include "APIdefs_IFC.h"
#include "APIdefs_LibParts.h"
#include "APIdefs_Registration.h"
#include "APIdefs_UserData.h"
#include "GS/Array.hpp"
#include "GS/UniString.hpp"
#include "IOLocation.hpp"
#include "LibPartStore.hpp"

namespace sim::calls {

// Special folders: real folders in the work folder.
enum class Folder { applicationData, temporary };
GSErrCode SpecialFolder(std::optional<Folder> folder, IO::Location* location);
GSErrCode GetLibraries(GS::Array<API_LibraryInfo>* list, Int32* embeddedIndex);
GSErrCode SetLibraries(const GS::Array<API_LibraryInfo>* list);
GSErrCode ProjectNotes(API_ProjectNoteInfo* notes);

GSErrCode ElementPriority(const Int32* ui, Int32* element);
// `notGdl`: what the generation answers for an element that is never placed from a part.
GSErrCode ElementLibPartUniqueId(const API_Elem_Head* head, char* uniqueId, GSErrCode notGdl);
// `none`: what the generation answers for a type without a name.
GSErrCode ElemTypeName(API_ElemTypeID type, GS::UniString& name, GSErrCode none);

// The progress window: opened, a phase begun, the bar's place in the phase, asked whether
// the user cancelled, closed.
enum class ProgressStep { open, phase, value, cancelled, close };
GSErrCode Progress(ProgressStep step, const GS::UniString* text, const Int32* number);

GSErrCode SaveIfc(const API_FileSavePars* save, const API_SavePars_Ifc* ifc);

// Databases. `name` receives the database's name.
GSErrCode DatabaseInfo(API_DatabaseInfo* info, std::string* name);
GSErrCode CurrentDatabase(API_DatabaseInfo* info, std::string* name);
GSErrCode ChangeDatabase(const API_DatabaseInfo* info);
GSErrCode ElementInfoString(const API_Guid* element, GS::UniString* text);

// Elements.
GSErrCode Element_GetElemList(API_ElemTypeID typeID, GS::Array<API_Guid>* elemList, API_ElemFilterFlags filterBits,
                              const API_Guid& renovationFilterGuid);
GSErrCode Element_Get(API_Element* element);
GSErrCode Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask);
GSErrCode Element_GetQuantities(const API_Guid& guid, API_Quantities* quantities, const API_QuantitiesMask* mask);
// What the generation answers for an element of a type without 3D (`no3DType`), and for one of
// a 3D type without a body (`noBody`).
GSErrCode Element_Get3DInfo(const API_Elem_Head& head, API_ElemInfo3D* info3D, GSErrCode no3DType, GSErrCode noBody);
// The element's IFC attributes (name, value), in order; null for an element the project does not have.
const std::vector<std::pair<std::string, std::string>>* IfcAttributes(const API_Guid& element);

// Element events. `noParent`: what the generation answers without a parent element.
GSErrCode Notify_CatchNewElement(const API_ElemTypeID* type, APIElementEventHandlerProc* handlerProc);
GSErrCode Notify_InstallElementObserver(APIElementEventHandlerProc* handlerProc);
GSErrCode Notify_GetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 mask,
                                  API_ElementUserData* userData, GSErrCode noParent);

// Library parts.
GSErrCode LibPart_Search(API_LibPart* ancestor, bool createIfMissing, bool onlyPlaceable);
GSErrCode LibPart_Get(API_LibPart* libPart);
GSErrCode LibPart_Register(API_LibPart* libPart);
GSErrCode LibPart_GetSection(Int32 libInd, API_LibPartSection* section, GSHandle* sectionHdl, GS::UniString* sectionStr,
                             GS::UniString* password);
// `onlyExisting`: APIERR_NOLIBSECT for a part without the section, which is otherwise created.
GSErrCode LibPart_WriteSection(Int32 libInd, const API_LibPartSection* section, GSHandle sectionHdl,
                               const GS::UniString* sectionStr, bool onlyExisting);
GSErrCode LibPart_GetParams(Int32 libInd, double* a, double* b, Int32* addParNum, API_AddParType*** addPars);
GSErrCode LibPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars, double* a, double* b,
                                   GSHandle sect2DDrawHdl, GSHandle* sectHdl, GS::UniString* password);
GSErrCode LibPart_SetDetails(const API_LibPart* libPart, const LibPart::Details* details);

// Attribute user data.
GSErrCode Attribute_SetUserData(API_Attr_Head* head, const API_UserData* userData);
GSErrCode Attribute_GetUserData(API_Attr_Head* head, API_UserData* userData);

// Registration.
GSErrCode Register_SupportedService(GSType cmdID, Int32 cmdVersion);
GSErrCode Register_Menu(short menuStrResID, short promptStrResID, Int32 menuPosCode, GSFlags menuFlags);
GSErrCode Register_FileType(Int32 refCon, GSType ftype, GSType fcreator, const char* extname, short iconResID,
                            short descStrResID, short descStrResItemID, API_IOMethod methodFlags);
GSErrCode Install_MenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc);
GSErrCode Install_FileTypeHandler(GSType cmdID, APIIOCommandProc* handlerProc);
GSErrCode Notify_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handlerProc);

} // namespace sim::calls
