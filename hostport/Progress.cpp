// The progress window: request codes of ACAPI_Interface in generation 26, functions of their
// own in 29, where a phase has a maximum and the bar's position is set apart.
#include "Progress.hpp"

#include "ACAPinc.h"
#include "APIdefs_Interface.h"

namespace KRV::port {

void OpenProgress(const GS::UniString& title, Int32 phases)
{
#if KORVEL_HOST_GENERATION >= 29
    ACAPI_ProcessWindow_InitProcessWindow(&title, &phases);
#else
    ACAPI_Interface(APIIo_InitProcessWindowID, const_cast<GS::UniString*>(&title), &phases);
#endif
}

void ProgressPhase(const GS::UniString& text, Int32 maximum)
{
#if KORVEL_HOST_GENERATION >= 29
    ACAPI_ProcessWindow_SetNextProcessPhase(&text, &maximum);
#else
    ACAPI_Interface(APIIo_SetNextProcessPhaseID, const_cast<GS::UniString*>(&text), &maximum);
#endif
}

void ProgressValue(const GS::UniString& text, Int32 value)
{
#if KORVEL_HOST_GENERATION >= 29
    (void)text; // the phase keeps its text
    ACAPI_ProcessWindow_SetProcessValue(&value);
#else
    ACAPI_Interface(APIIo_SetNextProcessPhaseID, const_cast<GS::UniString*>(&text), &value);
#endif
}

bool ProgressCancelled()
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_ProcessWindow_IsProcessCanceled() == APIERR_CANCEL;
#else
    return ACAPI_Interface(APIIo_IsProcessCanceledID) == APIERR_CANCEL;
#endif
}

GSErrCode CloseProgress()
{
#if KORVEL_HOST_GENERATION >= 29
    return ACAPI_ProcessWindow_CloseProcessWindow();
#else
    return ACAPI_Interface(APIIo_CloseProcessWindowID);
#endif
}

} // namespace KRV::port
