// The add-on's names for the host's error codes, from the generation's own header.
#include "HostErrors.hpp"

#include "APIErrors.h"

namespace KRV::hosterr {

const GSErrCode general = APIERR_GENERAL;
const GSErrCode memoryFull = APIERR_MEMFULL;
const GSErrCode cancelled = APIERR_CANCEL;
const GSErrCode badIndex = APIERR_BADINDEX;
const GSErrCode badName = APIERR_BADNAME;
const GSErrCode badId = APIERR_BADID;
const GSErrCode deleted = APIERR_DELETED;
const GSErrCode attributeExists = APIERR_ATTREXIST;
const GSErrCode nameInUse = APIERR_NAMEALREADYUSED;
const GSErrCode noUserData = APIERR_NOUSERDATA;
const GSErrCode noModuleData = APIERR_NOMODULEDATA;
const GSErrCode noLibrarySection = APIERR_NOLIBSECT;
const GSErrCode no3D = APIERR_NO3D;
const GSErrCode badElementType = APIERR_BADELEMENTTYPE;

} // namespace KRV::hosterr
