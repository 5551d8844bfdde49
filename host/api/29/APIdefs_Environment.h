#pragma once
// Generation 29: the project's settings the add-on reads (special folders, project notes).
#include "GS/Types.hpp"
#include "IOLocation.hpp"

enum API_SpecFolderID : Int32 {
    API_ApplicationPrefsFolderID = 1,
    API_GraphisoftPrefsFolderID,
    API_GraphisoftHomeFolderID,
    API_CacheFolderID,
    API_DataFolderID,
    API_UserDocumentsFolderID,
    API_TemporaryFolderID,
    API_ApplicationFolderID,
    API_DefaultsFolderID,
    API_WebObjectsFolderID,
    API_TemplatesFolderID,
    API_HelpFolderID,
    API_EmbeddedProjectLibraryFolderID,
    API_EmbeddedProjectLibraryHotlinkFolderID,
};

GSErrCode ACAPI_ProjectSettings_GetSpecFolder(API_SpecFolderID* specFolderID, IO::Location* location);

struct API_ProjectNoteInfo {
    char client[256];
    char projectName[256]; // the name typed into the project's information; "" when it has none
    char company[256];
    char street[256];
    char city[256];
    char country[256];
    char code[256];
    char architect[256];
    char draftsmen[256];
    char projectStatus[256];
    char dateOfIssue[256];
    char keywords[256];
    char notes[1024];
};
GSErrCode ACAPI_ProjectSetting_GetProjectNotes(API_ProjectNoteInfo* projectNoteInfo);
