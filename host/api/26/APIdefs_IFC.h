#pragma once
// IFC export: the host's translators, and saving the project as an IFC file.
#include "API_Guid.h"
#include "GS/Array.hpp"
#include "GS/Types.hpp"
#include "GS/UniString.hpp"
#include "IOLocation.hpp"

struct API_IFCTranslatorIdentifier {
    GS::UniString name;
    Int32 innerReference = 0;
};
GSErrCode ACAPI_IFC_GetIFCExportTranslatorsList(GS::Array<API_IFCTranslatorIdentifier>& translators);

// Saving ('SAVE'): par1 API_FileSavePars*, par2 the type's own parameters (API_SavePars_Ifc* for IFC).
constexpr GSType APIDo_SaveID = 0x53415645;
using API_FTypeID = Int32;
constexpr API_FTypeID APIFType_IfcFile = 41;

struct API_FileSavePars {
    API_FTypeID fileTypeID;
    IO::Location* file;
};

struct API_SavePars_Ifc {
    API_IFCTranslatorIdentifier translatorIdentifier;
    Int32 elementsToIfcExport; // 2: the entire project
    GS::Array<API_Guid>* elementsSet;
};
constexpr Int32 API_EntireProject = 2;

GSErrCode ACAPI_Automate(GSType code, void* par1 = nullptr, void* par2 = nullptr);

// Project information ('GPRN' of ACAPI_Environment): par1 API_ProjectNoteInfo*.
constexpr GSType APIEnv_GetProjectNotesID = 0x4750524E;
struct API_ProjectNoteInfo {
    char projectName[256]; // the name typed into the project's information; "" when it has none
    char projectNumber[256];
};
