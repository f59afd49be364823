#include "message_box.h"

#include <windows.h>

#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "utf8.h"

namespace {

struct DisabledWindow {
    DWORD threadId = 0;
    HWND window = nullptr;
};

// Every window disabled by a box still open, newest last. Any thread of the
// process may show a box, so the list is guarded; each thread restores only
// the windows it disabled itself.
SRWLOCK disabledWindowsLock = SRWLOCK_INIT;
std::vector<DisabledWindow> disabledWindows;

// Holds the list's lock for its lifetime.
class DisabledWindowsGuard {
public:
    DisabledWindowsGuard() noexcept { AcquireSRWLockExclusive(&disabledWindowsLock); }
    ~DisabledWindowsGuard() { ReleaseSRWLockExclusive(&disabledWindowsLock); }
    DisabledWindowsGuard(const DisabledWindowsGuard&) = delete;
    DisabledWindowsGuard& operator=(const DisabledWindowsGuard&) = delete;
};

bool storeDisabledWindow(DisabledWindow record) {
    try {
        const DisabledWindowsGuard guard;
        disabledWindows.push_back(record);
        return true;
    } catch (...) {
        return false;
    }
}

// Removes the calling thread's newest record and answers its window, or
// nullptr when the thread holds none.
HWND takeNewestDisabledWindow(DWORD threadId) {
    try {
        const DisabledWindowsGuard guard;
        for (auto it = disabledWindows.rbegin(); it != disabledWindows.rend(); ++it) {
            if (it->threadId == threadId) {
                HWND window = it->window;
                disabledWindows.erase(std::next(it).base());
                return window;
            }
        }
    } catch (...) {
    }
    return nullptr;
}

void disableForBox(HWND window) {
    const DWORD threadId = GetCurrentThreadId();
    if (GetWindowThreadProcessId(window, nullptr) != threadId) {
        return;
    }
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) {
        return;
    }
    if (window == GetForegroundWindow()) {
        return;
    }
    EnableWindow(window, FALSE);
    if (!storeDisabledWindow({threadId, window})) {
        // Without its record the window would never be enabled again.
        EnableWindow(window, TRUE);
    }
}

BOOL CALLBACK disableWindowCallback(HWND window, LPARAM) {
    disableForBox(window);
    return TRUE;
}

// The foreground window when it belongs to this process, else none.
HWND chooseOwner() {
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) {
        return nullptr;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(foreground, &processId);
    return processId == GetCurrentProcessId() ? foreground : nullptr;
}

void enableThreadWindows() {
    const DWORD threadId = GetCurrentThreadId();
    for (HWND window = takeNewestDisabledWindow(threadId); window != nullptr;
         window = takeNewestDisabledWindow(threadId)) {
        EnableWindow(window, TRUE);
    }
}

}  // namespace

int showMessageBox(const char* caption, const char* text, std::uint32_t flags) {
    std::wstring wideCaption;
    std::wstring wideText;
    try {
        wideCaption = wideFromUtf8(caption != nullptr ? caption : "");
        wideText = wideFromUtf8(text != nullptr ? text : "");
    } catch (const std::bad_alloc&) {
        return 0;
    }
    EnumWindows(disableWindowCallback, 1);
    HWND owner = chooseOwner();
    // A null caption keeps the platform's own meaning ("Error").
    const int result = MessageBoxW(owner, text != nullptr ? wideText.c_str() : nullptr,
                                   caption != nullptr ? wideCaption.c_str() : nullptr, flags);
    enableThreadWindows();
    return result;
}
