#pragma once
// Element events as the application delivers them: new and copied elements to the
// new-element handler, every other event only for elements with an observer attached,
// each series of events bracketed by -1 and -2 for the current database. What the
// add-on itself changes through the API is not reported back to it.
#include <optional>

#include "APIdefs_Elements.h"
#include "Commands.hpp"
#include "ElementStore.hpp"

namespace sim {

// Brackets the events of one user action with -1 and -2 (only when an event is delivered).
// The action is the host's own command: its events, brackets included, arrive inside it.
class EventSeries {
public:
    EventSeries() = default;
    ~EventSeries();
    EventSeries(const EventSeries&) = delete;
    EventSeries& operator=(const EventSeries&) = delete;

    // Delivers one event; `parent` is what ACAPI_Notify_GetParentElement answers during it.
    // Answers whether a handler received it.
    bool Deliver(API_ElementDBEventID code, const API_Guid& element, const std::optional<Element>& parent = {});

private:
    bool Send(APIElementEventHandlerProc* handler, API_ElementDBEventID code, const API_Guid& element);
    Commands::HostCommand command;
    APIElementEventHandlerProc* bracketHandler = nullptr;
};

} // namespace sim
