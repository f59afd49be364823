#include "events.h"

#include <exception>

namespace {

// Built before the program starts, so that reaching it never allocates.
EventState guiThreadState;

HWND reportWindow = nullptr;

}  // namespace

EventState& eventState() noexcept {
    return guiThreadState;
}

void recordGadgetEvent(std::int32_t gadget, std::int32_t eventType) noexcept {
    EventState& state = eventState();
    state.pendingCode = events::gadget;
    state.gadget = gadget;
    state.eventType = eventType;
}

void deferEvent(std::int32_t code) noexcept {
    std::deque<std::int32_t>& queue = eventState().deferredEvents;
    if (!queue.empty() && queue.back() == code) {
        return;
    }
    try {
        queue.push_back(code);
    } catch (const std::exception&) {
        // An event that cannot be stored is lost; closing again still works.
    }
}

void setReportWindow(HWND window) noexcept {
    reportWindow = window;
}

void postGadgetReport(std::int32_t gadget, std::int32_t eventType) noexcept {
    PostMessageW(reportWindow, reportMessage, static_cast<WPARAM>(gadget), eventType);
}
