#pragma once
// The host's progress window, with the button the user cancels it by.
#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace KRV::port {

void OpenProgress(const GS::UniString& title, Int32 phases);
// A phase of `maximum` steps, then the step it has come to.
void ProgressPhase(const GS::UniString& text, Int32 maximum);
void ProgressValue(const GS::UniString& text, Int32 value);
bool ProgressCancelled();
GSErrCode CloseProgress();
extern const char* const closeProgressCall;

} // namespace KRV::port
