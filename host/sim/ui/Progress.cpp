// The progress window: recorded call by call; the user's cancel is scripted.
#include "APIdefs_Interface.h"
#include "Host.hpp"

using sim::Host;

GSErrCode ACAPI_Interface(GSType code, void* par1, void* par2)
{
    SIM_ENTER_REQUEST("ACAPI_Interface", code);
    sim::Interface& ui = Host::Get().UI();
    sim::ProgressCall call;
    call.request = sim::RequestName("", code).substr(1);
    const auto* text = static_cast<const GS::UniString*>(par1);
    const auto* number = static_cast<const Int32*>(par2);
    GSErrCode result = NoError;
    switch (code) {
    case APIIo_InitProcessWindowID:
        ui.progressOpen = true;
        break;
    case APIIo_SetNextProcessPhaseID:
        if (!ui.progressOpen)
            return APIERR_GENERAL;
        break;
    case APIIo_IsProcessCanceledID:
        text = nullptr;
        number = nullptr;
        if (ui.cancelAt > 0 && --ui.cancelAt == 0)
            call.cancelled = true;
        result = call.cancelled ? APIERR_CANCEL : NoError;
        break;
    case APIIo_CloseProcessWindowID:
        text = nullptr;
        number = nullptr;
        ui.progressOpen = false;
        break;
    default:
        return APIERR_BADPARS;
    }
    call.text = text != nullptr ? text->ToUtf8() : "";
    call.number = number != nullptr ? *number : 0;
    ui.progress.push_back(call);
    if (ui.onProgress)
        ui.onProgress(ui);
    return result;
}
