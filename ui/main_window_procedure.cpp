// The main window's procedure: control notifications become gadget events,
// window changes become deferred events. Every step is noexcept, the
// notification handlers by their type, so no exception can leave it.
#include <exception>

#include "event_loop.h"
#include "events.h"
#include "gadgets.h"
#include "main_window.h"

namespace {

constexpr WORD acceleratorNotification = 1;

LRESULT onCommand(WPARAM wParam, LPARAM lParam) noexcept {
    const auto control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr) {
        recordGadgetEvent(static_cast<std::int32_t>(GetWindowLongPtrW(control, GWLP_ID)), HIWORD(wParam));
        return 0;
    }
    if (HIWORD(wParam) == acceleratorNotification) {
        if (LOWORD(wParam) == acceleratorCommands::nextControl) {
            moveFocus(false);
        } else if (LOWORD(wParam) == acceleratorCommands::previousControl) {
            moveFocus(true);
        }
    }
    return 0;
}

LRESULT onNotify(HWND window, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    const NotificationHandler handler = header == nullptr ? nullptr : gadgetNotificationHandler(header->hwndFrom);
    if (handler != nullptr) {
        const std::optional<LRESULT> answer = handler(wParam, lParam);
        if (answer.has_value()) {
            return *answer;
        }
    }
    return DefWindowProcW(window, WM_NOTIFY, wParam, lParam);
}

BOOL CALLBACK sendColourChange(HWND child, LPARAM) noexcept {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

LRESULT onSize(HWND window, WPARAM wParam, LPARAM lParam) noexcept {
    if (wParam == SIZE_MINIMIZED) {
        return DefWindowProcW(window, WM_SIZE, wParam, lParam);
    }
    deferEvent(events::sized);
    return 0;
}

// The control that had the keyboard focus when the window was last
// deactivated, so that closing the test box or coming back from another
// program gives the keyboard back to it rather than to no control.
HWND& focusBeforeDeactivation() noexcept {
    static HWND control = nullptr;
    return control;
}

void rememberFocus(HWND window) noexcept {
    const HWND focus = GetFocus();
    focusBeforeDeactivation() = focus != nullptr && IsChild(window, focus) != FALSE ? focus : nullptr;
}

void restoreFocus(HWND window) noexcept {
    const HWND control = focusBeforeDeactivation();
    focusBeforeDeactivation() = nullptr;
    if (control != nullptr && IsChild(window, control) != FALSE && IsWindowVisible(control) != FALSE &&
        IsWindowEnabled(control) != FALSE) {
        SetFocus(control);
    }
}

LRESULT onActivate(HWND window, WPARAM wParam) noexcept {
    if (LOWORD(wParam) == WA_INACTIVE) {
        rememberFocus(window);
    } else {
        deferEvent(events::activated);
        restoreFocus(window);
    }
    return 1;
}

// Moved to a display of another scale: laid out again in the rectangle that
// Windows suggests. Out of memory, the icon list keeps fewer pictures.
LRESULT onDpiChanged(WPARAM wParam, LPARAM lParam) noexcept {
    try {
        rescaleMainWindow(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    } catch (const std::exception&) {
    }
    return 0;
}

// Windows asks the size at the new scale before it suggests a rectangle, so
// that the suggestion holds the client area exactly.
LRESULT onDpiScaledSize(WPARAM wParam, LPARAM lParam) noexcept {
    *reinterpret_cast<SIZE*>(lParam) = mainWindowSizeForDpi(static_cast<UINT>(wParam));
    return TRUE;
}

}  // namespace

LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_COMMAND:
        return onCommand(wParam, lParam);
    case reportMessage:
        recordGadgetEvent(static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
        return 0;
    case WM_NOTIFY:
        return onNotify(window, wParam, lParam);
    case WM_CLOSE:
        deferEvent(events::close);
        return 0;
    case WM_MOVE:
        deferEvent(events::moved);
        return 0;
    case WM_SIZE:
        return onSize(window, wParam, lParam);
    case WM_ACTIVATE:
        return onActivate(window, wParam);
    case WM_ERASEBKGND:
        deferEvent(events::backgroundErased);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        EnumChildWindows(window, sendColourChange, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_DPICHANGED:
        return onDpiChanged(wParam, lParam);
    case WM_GETDPISCALEDSIZE:
        return onDpiScaledSize(wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
