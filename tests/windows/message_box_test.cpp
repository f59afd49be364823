// The message box under Wine: a watcher thread finds the box, reads it,
// records the enabled state of the test's windows while it is shown, and
// closes it with a chosen button.
#include "message_box.h"

#include "ansi_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* testWindowClass = "PlatformTestWindow";
constexpr int messageTextControl = 0xFFFF;
constexpr auto boxWaitLimit = std::chrono::seconds(10);

void registerTestWindowClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = testWindowClass;
    RegisterClassA(&windowClass);
}

HWND createTestWindow(bool visible) {
    registerTestWindowClass();
    const DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0U);
    return CreateWindowExA(0, testWindowClass, "test", style, 10, 10, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void pumpMessages() {
    Sleep(20);
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

// Makes window the foreground window and keeps at it until the X server's
// answers to the new windows have arrived and no longer take it away.
bool bringToForeground(HWND window) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        pumpMessages();
        SetForegroundWindow(window);
        pumpMessages();
        if (GetForegroundWindow() == window) {
            return true;
        }
    }
    return false;
}

std::string className(HWND window) {
    std::vector<char> name(64, '\0');
    GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    return std::string(name.data());
}

std::string windowText(HWND window) {
    std::vector<char> buffer(1024, '\0');
    const int length = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

struct BoxFinder {
    HWND box = nullptr;
};

BOOL CALLBACK findBoxCallback(HWND window, LPARAM found) {
    if (className(window) == "#32770" && IsWindowVisible(window)) {
        reinterpret_cast<BoxFinder*>(found)->box = window;
        return FALSE;
    }
    return TRUE;
}

HWND waitForBox(DWORD threadId) {
    const auto deadline = std::chrono::steady_clock::now() + boxWaitLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        BoxFinder finder;
        EnumThreadWindows(threadId, findBoxCallback, reinterpret_cast<LPARAM>(&finder));
        if (finder.box != nullptr) {
            return finder.box;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

// What the watcher saw while the box was shown.
struct BoxSeen {
    bool found = false;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    std::vector<bool> enabled;
};

// Watches for the box of threadId, records what it shows and the enabled
// state of the given windows, then presses the button.
std::thread startWatcher(DWORD threadId, std::vector<HWND> windows, int button, BoxSeen& seen) {
    return std::thread([threadId, windows, button, &seen]() {
        HWND box = waitForBox(threadId);
        if (box == nullptr) {
            return;
        }
        seen.found = true;
        seen.caption = windowText(box);
        seen.text = windowText(GetDlgItem(box, messageTextControl));
        seen.owner = GetWindow(box, GW_OWNER);
        for (HWND window : windows) {
            seen.enabled.push_back(IsWindowEnabled(window) != FALSE);
        }
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    });
}

// A visible top-level window that lives on a thread of its own.
class OtherThreadWindow {
public:
    OtherThreadWindow() {
        thread_ = std::thread([this]() {
            threadId_ = GetCurrentThreadId();
            window_ = createTestWindow(true);
            ready_ = true;
            MSG message{};
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                DispatchMessageA(&message);
            }
            DestroyWindow(window_);
        });
        while (!ready_) {
            std::this_thread::yield();
        }
    }
    ~OtherThreadWindow() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    OtherThreadWindow(const OtherThreadWindow&) = delete;
    OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;

    HWND window() const { return window_; }

private:
    std::thread thread_;
    std::atomic<bool> ready_{false};
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

// Another program's visible window: Wine's notepad, ended with the object.
class OtherProcessWindow {
public:
    OtherProcessWindow() {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string commandLine = "notepad.exe";
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process_) == FALSE) {
            return;
        }
        WaitForInputIdle(process_.hProcess, waitMilliseconds);
        const auto deadline = std::chrono::steady_clock::now() + boxWaitLimit;
        while (window_ == nullptr && std::chrono::steady_clock::now() < deadline) {
            EnumWindows(findWindowOfProcess, reinterpret_cast<LPARAM>(this));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~OtherProcessWindow() {
        if (process_.hProcess != nullptr) {
            TerminateProcess(process_.hProcess, 0);
            WaitForSingleObject(process_.hProcess, waitMilliseconds);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    OtherProcessWindow(const OtherProcessWindow&) = delete;
    OtherProcessWindow& operator=(const OtherProcessWindow&) = delete;

    HWND window() const { return window_; }

private:
    static constexpr DWORD waitMilliseconds = 10000;

    static BOOL CALLBACK findWindowOfProcess(HWND window, LPARAM self) {
        auto* other = reinterpret_cast<OtherProcessWindow*>(self);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId == other->process_.dwProcessId && IsWindowVisible(window) != FALSE) {
            other->window_ = window;
            return FALSE;
        }
        return TRUE;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Refuses the creation of every message box of the calling thread, so that
// MessageBoxA fails; records whether the watched window was disabled then.
HWND watchedWindow = nullptr;
bool watchedWasEnabled = true;

LRESULT CALLBACK refuseBoxCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && className(reinterpret_cast<HWND>(wParam)) == "#32770") {
        watchedWasEnabled = IsWindowEnabled(watchedWindow) != FALSE;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ModalMessageBox, ShowsCaptionAndTextAndAnswersThePressedButton) {
    constexpr auto caption = ansi("Проверка");
    constexpr auto text = ansi("Первая строка\nвторая строка");
    BoxSeen seen;
    std::thread watcher = startWatcher(GetCurrentThreadId(), {}, IDNO, seen);
    const int answer = showMessageBox("Проверка", "Первая строка\nвторая строка", MB_YESNO | MB_ICONQUESTION);
    watcher.join();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, caption.view());
    EXPECT_EQ(seen.text, text.view());
    EXPECT_EQ(answer, IDNO);
}

TEST(ModalMessageBox, AnswersRetryOfARetryCancelBox) {
    BoxSeen seen;
    std::thread watcher = startWatcher(GetCurrentThreadId(), {}, IDRETRY, seen);
    const int answer = showMessageBox("caption", "text", MB_RETRYCANCEL);
    watcher.join();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, IDRETRY);
}

TEST(ModalMessageBox, IsModalOverTheThreadsWindowsAndRestoresExactlyThem) {
    HWND foreground = createTestWindow(true);
    HWND second = createTestWindow(true);
    HWND hidden = createTestWindow(false);
    HWND disabled = createTestWindow(true);
    EnableWindow(disabled, FALSE);
    const OtherThreadWindow other;
    ASSERT_TRUE(bringToForeground(foreground));

    BoxSeen seen;
    const std::vector<HWND> windows = {foreground, second, hidden, disabled, other.window()};
    std::thread watcher = startWatcher(GetCurrentThreadId(), windows, IDOK, seen);
    const int answer = showMessageBox("caption", "text", MB_OK);
    watcher.join();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(seen.owner, foreground) << "the foreground window of the process owns the box";
    EXPECT_EQ(seen.enabled, (std::vector<bool>{false, false, true, false, true}))
        << "owner (by the box), second (by the pass) and the disabled one are off; "
           "hidden and other-thread windows are untouched";

    EXPECT_TRUE(IsWindowEnabled(foreground));
    EXPECT_TRUE(IsWindowEnabled(second));
    EXPECT_TRUE(IsWindowEnabled(hidden));
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_FALSE(IsWindowEnabled(disabled)) << "a window disabled before the call stays disabled";
    EXPECT_TRUE(IsWindowEnabled(other.window()));

    for (HWND window : {foreground, second, hidden, disabled}) {
        DestroyWindow(window);
    }
}

TEST(ModalMessageBox, WithAnotherThreadInTheForegroundDisablesAllOfTheThreadsVisibleWindows) {
    HWND first = createTestWindow(true);
    HWND second = createTestWindow(true);
    const OtherThreadWindow other;
    ASSERT_TRUE(bringToForeground(other.window()));

    BoxSeen seen;
    std::thread watcher = startWatcher(GetCurrentThreadId(), {first, second}, IDOK, seen);
    showMessageBox("caption", "text", MB_OK);
    watcher.join();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.owner, other.window()) << "a window of another thread of the process may own the box";
    EXPECT_EQ(seen.enabled, (std::vector<bool>{false, false}));
    EXPECT_TRUE(IsWindowEnabled(first));
    EXPECT_TRUE(IsWindowEnabled(second));

    DestroyWindow(first);
    DestroyWindow(second);
}

TEST(ModalMessageBox, WithAnotherProgramInTheForegroundHasNoOwnerAndDisablesTheThreadsWindows) {
    HWND window = createTestWindow(true);
    const OtherProcessWindow other;
    ASSERT_NE(other.window(), nullptr) << "notepad did not start";
    ASSERT_TRUE(bringToForeground(other.window()));

    BoxSeen seen;
    std::thread watcher = startWatcher(GetCurrentThreadId(), {window, other.window()}, IDOK, seen);
    showMessageBox("caption", "text", MB_OK);
    watcher.join();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.owner, nullptr) << "another program's window never owns the box";
    EXPECT_EQ(seen.enabled, (std::vector<bool>{false, true}));
    EXPECT_TRUE(IsWindowEnabled(window));
    DestroyWindow(window);
}

TEST(ModalMessageBox, WhenTheBoxCannotBeShownItsFailureIsAnsweredAndTheWindowsAreEnabledAgain) {
    HWND foreground = createTestWindow(true);
    watchedWindow = createTestWindow(true);
    ASSERT_TRUE(bringToForeground(foreground));

    HHOOK hook = SetWindowsHookExA(WH_CBT, refuseBoxCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int answer = showMessageBox("caption", "text", MB_OK);
    UnhookWindowsHookEx(hook);

    EXPECT_LE(answer, 0) << "no button closed a box";
    EXPECT_FALSE(watchedWasEnabled) << "the window was disabled for the box";
    EXPECT_TRUE(IsWindowEnabled(watchedWindow));
    DestroyWindow(foreground);
    DestroyWindow(watchedWindow);
}

}  // namespace
