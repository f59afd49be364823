// The event model shared by the event loop and the main window's procedure:
// event codes, the report message that controls post, and the event state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>

namespace events {
inline constexpr std::int32_t gadget = 13100;
inline constexpr std::int32_t close = 16;
inline constexpr std::int32_t moved = 3;
inline constexpr std::int32_t sized = 5;
inline constexpr std::int32_t backgroundErased = 15;
inline constexpr std::int32_t activated = 13104;
inline constexpr std::int32_t keyDown = WM_KEYDOWN;
}  // namespace events

// Posted to the main window to report a gadget event later:
// wParam the gadget number, lParam the event type.
inline constexpr UINT reportMessage = 13103;

namespace eventTypes {
inline constexpr std::int32_t leftClick = 0;
inline constexpr std::int32_t rightClick = 1;
inline constexpr std::int32_t leftDoubleClick = 2;
inline constexpr std::int32_t rightDoubleClick = 3;
inline constexpr std::int32_t change = 768;
inline constexpr std::int32_t focusGained = 14000;
inline constexpr std::int32_t focusLost = 14001;
inline constexpr std::int32_t dragStart = 14002;
}  // namespace eventTypes

struct EventState {
    std::int32_t gadget = 0;       // gadget of the most recent gadget event
    std::int32_t eventType = 0;    // what it reported; -1 at the start of every wait
    std::int32_t pendingCode = 0;  // recorded during a dispatch, 0 for none
    WPARAM wParam = 0;             // parameters of the last message answered as itself
    LPARAM lParam = 0;
    std::deque<std::int32_t> deferredEvents;
};

EventState& eventState() noexcept;
void recordGadgetEvent(std::int32_t gadget, std::int32_t eventType) noexcept;
// Queues an event code unless it equals the newest one queued.
void deferEvent(std::int32_t code) noexcept;
// The window that the controls' reports are posted to: the main window, given
// when it opens, null once it is gone.
void setReportWindow(HWND window) noexcept;
void postGadgetReport(std::int32_t gadget, std::int32_t eventType) noexcept;
