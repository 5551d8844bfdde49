// The progress window: recorded call by call, each as what the window shows then; the user's
// cancel is scripted. The record names its steps by four-character codes in every generation
// (IPWD opened, SPRP a phase or the bar's place in it, CANC asked whether cancelled, CPWD
// closed), so one session's record reads the same whatever the generation calls them.
#include "Calls.hpp"
#include "Host.hpp"

using sim::Host;

namespace sim::calls {

GSErrCode Progress(ProgressStep step, const GS::UniString* text, const Int32* number)
{
    sim::Interface& ui = Host::Get().UI();
    sim::ProgressCall call;
    static const char* const codes[] = {"IPWD", "SPRP", "SPRP", "CANC", "CPWD"};
    call.request = codes[static_cast<int>(step)];
    GSErrCode result = NoError;
    std::string shown;
    switch (step) {
    case ProgressStep::open:
        ui.progressOpen = true;
        break;
    case ProgressStep::phase:
        if (!ui.progressOpen)
            return APIERR_GENERAL;
        ui.progressPhase = text != nullptr ? text->ToUtf8() : "";
        break;
    case ProgressStep::value:
        // The bar moves within the phase, whose text stays.
        if (!ui.progressOpen)
            return APIERR_GENERAL;
        shown = ui.progressPhase;
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
    call.text = text != nullptr ? text->ToUtf8() : shown;
    call.number = number != nullptr ? *number : 0;
    if (step == ProgressStep::value)
        ui.progressValue = call.number;
    ui.progress.push_back(call);
    if (ui.onProgress)
        ui.onProgress(ui);
    return result;
}

} // namespace sim::calls
