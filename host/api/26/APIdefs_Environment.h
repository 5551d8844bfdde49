#pragma once
// Environment services: special folders and the project's library list.
#include "APIdefs_LibParts.h"
#include "GS/Array.hpp"
#include "GS/Types.hpp"
#include "IOLocation.hpp"

enum API_SpecFolderID : Int32 {
    API_ApplicationFolderID = 1,
    API_AppDataFolderID = 6,   // the user's application data folder
    API_TemporaryFolderID = 7, // a folder for temporary files
};

// 'GSPF': par1 API_SpecFolderID*, par2 IO::Location* that receives the folder.
constexpr GSType APIEnv_GetSpecFolderID = 0x47535046;
// 'GLIB': par1 GS::Array<API_LibraryInfo>* that receives the project's libraries,
// par2 (optional) Int32* that receives the embedded library's position in it, -1 when
// the project has none.
constexpr GSType APIEnv_GetLibrariesID = 0x474C4942;
// 'SLIB': par1 const GS::Array<API_LibraryInfo>*: the project's new library list (the
// embedded library stays whatever the list says).
constexpr GSType APIEnv_SetLibrariesID = 0x534C4942;

GSErrCode ACAPI_Environment(GSType code, void* par1 = nullptr, void* par2 = nullptr);
