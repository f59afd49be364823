#include "wizard_window.h"

#include <array>

#include "event_loop.h"
#include "events.h"
#include "main_window.h"
#include "startup.h"

namespace {

constexpr const char* scriptWindowClass = "WizardTestScript";
constexpr UINT_PTR stepTimer = 1;
constexpr UINT stepIntervalMilliseconds = 10;
// A script that has not ended after this many turns is stopped.
constexpr int turnLimit = 1000;

struct Script {
    const std::vector<ScriptStep>* steps = nullptr;
    std::size_t next = 0;
    int turns = 0;
    bool timedOut = false;
};

Script& script() {
    static Script state;
    return state;
}

// Timer messages come only when no posted message and no input is waiting,
// so every step starts once the effects of the previous one have settled.
void playNextStep() {
    Script& state = script();
    ++state.turns;
    if (state.next < state.steps->size() && state.turns < turnLimit) {
        const ScriptStep& step = (*state.steps)[state.next];
        ++state.next;
        step();
        return;
    }
    state.timedOut = state.next < state.steps->size() || state.turns > turnLimit;
    PostMessageA(mainWindowHandle(), WM_CLOSE, 0, 0);
}

LRESULT CALLBACK scriptProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        playNextStep();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND createScriptWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = scriptProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = scriptWindowClass;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, scriptWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

INPUT keyInput(WORD virtualKey, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

struct WindowSearch {
    std::string windowClass;
    DWORD processId = 0;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM search) {
    auto* state = reinterpret_cast<WindowSearch*>(search);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == state->processId && className(window) == state->windowClass) {
        state->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

void WizardWindow::SetUpTestSuite() {
    prepareCommonControls();
    ASSERT_NE(LoadLibraryA("Scintilla.dll"), nullptr);
}

void WizardWindow::SetUp() {
    pumpMessages();
    eventState() = EventState{};
    ASSERT_TRUE(startMainWindow());
}

void WizardWindow::TearDown() {
    destroyMainWindow();
    pumpMessages();
}

bool runLoopWithScript(const std::vector<ScriptStep>& steps) {
    const HWND scriptWindow = createScriptWindow();
    script() = Script{&steps, 0, 0, false};
    SetTimer(scriptWindow, stepTimer, stepIntervalMilliseconds, nullptr);
    runEventLoop();
    KillTimer(scriptWindow, stepTimer);
    DestroyWindow(scriptWindow);
    const bool completed = !script().timedOut;
    script() = Script{};
    return completed;
}

void pressKey(WORD virtualKey, bool withShift) {
    std::vector<INPUT> inputs;
    if (withShift) {
        inputs.push_back(keyInput(VK_SHIFT, false));
    }
    inputs.push_back(keyInput(virtualKey, false));
    inputs.push_back(keyInput(virtualKey, true));
    if (withShift) {
        inputs.push_back(keyInput(VK_SHIFT, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void typeText(const std::string& text) {
    const HWND focus = GetFocus();
    for (const char character : text) {
        PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(character), 1);
    }
}

std::string windowText(HWND window) {
    std::array<char, 1024> buffer{};
    const int length = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string className(HWND window) {
    std::array<char, 256> buffer{};
    const int length = GetClassNameA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void pumpMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::vector<HWND> topLevelWindows(const char* windowClass, DWORD processId) {
    WindowSearch search{windowClass, processId, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
