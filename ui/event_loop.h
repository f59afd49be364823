// The program's single event loop and the main window's procedure, which
// turns platform messages into events.
#pragma once

#include <windows.h>

#include <cstdint>

// Waits for the next event and answers its code, updating the event state.
std::int32_t waitEvent();
// Runs until the close event.
void runEventLoop();
// Nothing it does can throw, so no exception reaches the platform.
LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// Moves the keyboard focus among the tab-stop controls of the active window.
void moveFocus(bool backward) noexcept;
