#pragma once
// What the host shows: palettes, browsers, alerts; and what would leave the machine.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "DG/Browser.hpp"
#include "DG/Panel.hpp"

namespace sim {

struct AlertRecord {
    std::string kind; // "warning", "information", "error"
    std::string largeText;
    std::string smallText;
    std::vector<std::string> buttons;
    short answer;
};

// One call to the progress window: 'IPWD', 'SPRP', 'CANC' or 'CPWD', with its text and number.
struct ProgressCall {
    std::string request;
    std::string text;
    long number = 0;
    bool cancelled = false; // 'CANC': what the host answered
};

struct Interface {
    std::vector<DG::Palette*> palettes;
    std::vector<DG::BrowserBase*> browsers;
    std::deque<short> alertAnswers; // next answers, 1 the first button
    // Asked for an alert's answer when no answer is queued (korvel-host asks the person in the
    // browser, or answers "Continue" when checking a payload); unset: the first button.
    std::function<short(const AlertRecord&)> askAlert;
    std::vector<AlertRecord> alerts;
    std::vector<std::string> openedLinks;
    // Files made executable and started (as "chmod PATH" and "start PATH"); carried out
    // only when `reallyLaunch` is set, as a test that runs the script does.
    std::vector<std::string> launched;
    bool reallyLaunch = false;

    // The progress window: every call in order, whether it is open, and a scripted cancel
    // (the n-th 'CANC' from now answers cancelled; 0: none).
    std::vector<ProgressCall> progress;
    bool progressOpen = false;
    std::string progressPhase; // the text of the phase the window shows
    long progressValue = 0;    // the bar's place in it
    int cancelAt = 0;
    // Called after every change of the progress window (korvel-host draws a bar).
    std::function<void(const Interface&)> onProgress;
};

} // namespace sim
