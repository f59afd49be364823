// Tab and Shift+Tab: the focus walks the tab-stop controls of the active
// window in their creation order.
#include <exception>
#include <vector>

#include "event_loop.h"

namespace {

BOOL CALLBACK collectDescendant(HWND child, LPARAM list) {
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    } catch (const std::exception&) {
        return FALSE;
    }
}

std::vector<HWND> descendantsOf(HWND window) {
    std::vector<HWND> descendants;
    if (window != nullptr) {
        EnumChildWindows(window, collectDescendant, reinterpret_cast<LPARAM>(&descendants));
    }
    return descendants;
}

bool isCandidate(HWND control) {
    return IsWindowEnabled(control) != FALSE && IsWindowVisible(control) != FALSE &&
           (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

// The candidate after the current control in creation order, wrapping to the
// first. A current control that is no candidate itself (the editor) passes
// the focus to the first candidate created after it.
HWND nextCandidate(const std::vector<HWND>& descendants, HWND current) {
    HWND first = nullptr;
    bool currentMet = false;
    for (const HWND control : descendants) {
        if (control == current) {
            currentMet = true;
            continue;
        }
        if (!isCandidate(control)) {
            continue;
        }
        if (currentMet) {
            return control;
        }
        if (first == nullptr) {
            first = control;
        }
    }
    return first;
}

// The candidate before the current control; the last one in every other case.
HWND previousCandidate(const std::vector<HWND>& descendants, HWND current) {
    HWND previous = nullptr;
    for (const HWND control : descendants) {
        if (!isCandidate(control)) {
            continue;
        }
        if (control == current && previous != nullptr) {
            return previous;
        }
        previous = control;
    }
    return previous;  // the last candidate
}

}  // namespace

void moveFocus(bool backward) noexcept {
    const HWND active = GetActiveWindow();
    std::vector<HWND> descendants;
    try {
        descendants = descendantsOf(active);
    } catch (const std::exception&) {
        return;
    }
    const HWND focus = GetFocus();
    const HWND current = focus != nullptr && IsChild(active, focus) != FALSE ? focus : nullptr;
    const HWND target = backward ? previousCandidate(descendants, current) : nextCandidate(descendants, current);
    if (target != nullptr) {
        SetFocus(target);
    }
}
