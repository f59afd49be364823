// Controls of the main window addressed by their gadget number, which is also
// their control identifier. An operation on a number without a control does
// nothing and answers 0 (or null).
#pragma once

#include <windows.h>

#include <optional>

// Handles a control's WM_NOTIFY; no value means the handler declines and the
// default window procedure answers. Handlers run inside the main window's
// procedure, which no exception may leave.
using NotificationHandler = std::optional<LRESULT> (*)(WPARAM wParam, LPARAM lParam) noexcept;

namespace gadgets {
inline constexpr int titleField = 1;
inline constexpr int editor = 2;
inline constexpr int iconList = 3;
inline constexpr int modalityList = 4;
inline constexpr int buttonSetList = 5;
inline constexpr int defaultButtonList = 6;
inline constexpr int testButton = 7;
inline constexpr int copyButton = 9;
inline constexpr int linkLabel = 10;
// Only when the PureBasic IDE started the wizard; the note only when its
// selection did not open.
inline constexpr int insertButton = 11;
inline constexpr int selectionNote = 12;
}  // namespace gadgets

// The window that new controls are created in, and their font.
void setGadgetContainer(HWND parent, HFONT font);
HWND gadgetContainer();
HFONT gadgetFont();

// Gives a control its identifier and the controls' font.
void registerControl(HWND control, int identifier);
// Records a control under its gadget number and registers it.
void registerGadget(int gadget, HWND control, NotificationHandler handler);

HWND gadgetWindow(int gadget);
NotificationHandler gadgetNotificationHandler(HWND control) noexcept;
void focusGadget(int gadget);
// Drops every record; the windows themselves belong to their parent.
void forgetGadgets();
