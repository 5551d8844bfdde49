#pragma once
// What the host shows: palettes, browsers, alerts; and what would leave the machine.
#include <deque>
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

struct Interface {
    std::vector<DG::Palette*> palettes;
    std::vector<DG::BrowserBase*> browsers;
    std::deque<short> alertAnswers; // next answers, 1 the first button
    std::vector<AlertRecord> alerts;
    std::vector<std::string> openedLinks;
};

} // namespace sim
