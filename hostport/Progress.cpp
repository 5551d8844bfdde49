// The progress window, as generation 26 runs it: request codes of ACAPI_Interface.
#include "Progress.hpp"

#include "ACAPinc.h"
#include "APIdefs_Interface.h"

namespace KRV::port {

const char* const closeProgressCall = "ACAPI_Interface CloseProcessWindow";

void OpenProgress(const GS::UniString& title, Int32 phases)
{
    ACAPI_Interface(APIIo_InitProcessWindowID, const_cast<GS::UniString*>(&title), &phases);
}

void ProgressPhase(const GS::UniString& text, Int32 value)
{
    ACAPI_Interface(APIIo_SetNextProcessPhaseID, const_cast<GS::UniString*>(&text), &value);
}

bool ProgressCancelled()
{
    return ACAPI_Interface(APIIo_IsProcessCanceledID) == APIERR_CANCEL;
}

GSErrCode CloseProgress()
{
    return ACAPI_Interface(APIIo_CloseProcessWindowID);
}

} // namespace KRV::port
