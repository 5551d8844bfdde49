#pragma once
// Not a header of the host's SDK. The real host finds an add-on's four exported functions
// (ACAPinc.h) and its compiled 'STR#' resources in the add-on's binary; the stand-alone host,
// which links the add-on in, is handed the same in this record.
#include "APIdefs_Registration.h"

struct API_ResourceString {
    short resID;
    short index;
    const char* text;
};

struct API_AddOnImage {
    API_AddonType (*checkEnvironment)(API_EnvirParams* envir);
    GSErrCode (*registerInterface)();
    GSErrCode (*initialize)();
    GSErrCode (*freeData)();
    const API_ResourceString* resources; // ends with an entry whose text is null
};
