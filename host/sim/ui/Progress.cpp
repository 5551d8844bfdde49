// The progress window: recorded call by call; the user's cancel is scripted.
#include "Calls.hpp"
#include "Host.hpp"

using sim::Host;

namespace sim::calls {

GSErrCode Progress(const char* request, ProgressStep step, const GS::UniString* text, const Int32* number)
{
    sim::Interface& ui = Host::Get().UI();
    sim::ProgressCall call;
    call.request = request;
    GSErrCode result = NoError;
    switch (step) {
    case ProgressStep::open:
        ui.progressOpen = true;
        break;
    case ProgressStep::phase:
    case ProgressStep::value:
        if (!ui.progressOpen)
            return APIERR_GENERAL;
        break;
    case ProgressStep::cancelled:
        text = nullptr;
        number = nullptr;
        if (ui.cancelAt > 0 && --ui.cancelAt == 0)
            call.cancelled = true;
        result = call.cancelled ? APIERR_CANCEL : NoError;
        break;
    case ProgressStep::close:
        text = nullptr;
        number = nullptr;
        ui.progressOpen = false;
        break;
    }
    call.text = text != nullptr ? text->ToUtf8() : "";
    call.number = number != nullptr ? *number : 0;
    ui.progress.push_back(call);
    if (ui.onProgress)
        ui.onProgress(ui);
    return result;
}

} // namespace sim::calls
