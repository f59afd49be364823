#include "events.h"

#include <new>

#include "main_window.h"

EventState& eventState() {
    static EventState state;
    return state;
}

void recordGadgetEvent(std::int32_t gadget, std::int32_t eventType) {
    EventState& state = eventState();
    state.pendingCode = events::gadget;
    state.gadget = gadget;
    state.eventType = eventType;
}

void deferEvent(std::int32_t code) {
    std::deque<std::int32_t>& queue = eventState().deferredEvents;
    if (!queue.empty() && queue.back() == code) {
        return;
    }
    try {
        queue.push_back(code);
    } catch (const std::bad_alloc&) {
        // An event that cannot be stored is lost; closing again still works.
    }
}

void postGadgetReport(std::int32_t gadget, std::int32_t eventType) {
    PostMessageA(mainWindowHandle(), reportMessage, static_cast<WPARAM>(gadget), eventType);
}
