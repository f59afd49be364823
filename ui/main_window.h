// The wizard's single window: its class, geometry, accelerator table and the
// controls, created hidden, filled, then shown.
#pragma once

#include <windows.h>

#include <optional>

#include "message_box_options.h"

namespace mainWindowGeometry {
inline constexpr int clientWidth = 540;
inline constexpr int clientHeight = 443;
inline constexpr DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}  // namespace mainWindowGeometry

inline constexpr const char* mainWindowClassName = "MessageRequesterWizard";

// Commands of the accelerator table.
namespace acceleratorCommands {
inline constexpr WORD nextControl = 1212;
inline constexpr WORD previousControl = 1213;
}  // namespace acceleratorCommands

// Opens the main window hidden with all its controls; creates no control
// when the window cannot be opened.
void createMainWindow();
void fillOptionLists();
void showMainWindow();
// Start-up's window steps in their order: the window opened hidden with its
// controls, the lists filled, the focus in the title field, the window shown.
// Answers false, having shown nothing, when the window cannot be opened.
bool startMainWindow();
HWND mainWindowHandle();
HACCEL mainWindowAccelerators();
// The window's outer size at a DPI.
SIZE mainWindowSizeForDpi(UINT dpi);
// Lays the window out again at another DPI, its outer rectangle starting
// where the suggested one starts.
void rescaleMainWindow(UINT dpi, const RECT& suggested);
// Destroys the window, its controls, its class, its accelerator table, the
// icon list's images and the tooltip control.
void destroyMainWindow();

// The user's current choices, read afresh from the controls.
MessageBoxOptions readOptions();
