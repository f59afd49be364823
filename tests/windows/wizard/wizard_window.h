// Test support: the wizard's window built in the test process, a script that
// drives the real event loop, and small readers of window state.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The Scintilla messages that only the tests send, beside those the program
// sends (editor.h).
namespace sci {
inline constexpr UINT getViewWhitespace = 2020;
inline constexpr UINT getCaretFore = 2138;
inline constexpr UINT getCaretWidth = 2189;
inline constexpr UINT getMarginWidthN = 2243;
inline constexpr UINT addText = 2001;
inline constexpr UINT getElementColour = 2754;
inline constexpr UINT getElementIsSet = 2756;
inline constexpr UINT styleGetFont = 2486;
inline constexpr UINT styleGetSize = 2485;
inline constexpr UINT textHeight = 2279;

inline constexpr WPARAM elementSelectionText = 10;
inline constexpr WPARAM elementSelectionBack = 11;
inline constexpr WPARAM elementWhitespace = 60;
}  // namespace sci

// Builds the window with the program's own start-up steps and destroys it
// afterwards.
class WizardWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
};

using ScriptStep = std::function<void()>;

// Runs runEventLoop() while the steps are played one by one; each step starts
// once the thread has no posted or input message left, also while a message
// box of an action is open. After the last step the window is asked to close;
// the loop must then return. Answers false when it had to be stopped.
bool runLoopWithScript(const std::vector<ScriptStep>& steps);

// Presses and releases a key as injected keyboard input, with Shift held when asked.
void pressKey(WORD virtualKey, bool withShift = false);
// Types text (Windows-1251 bytes) into the focused control as character messages.
void typeText(const std::string& text);

std::string windowText(HWND window);
std::string className(HWND window);
// Dispatches every waiting message.
void pumpMessages();
// The current top-level windows of a class, of one process.
std::vector<HWND> topLevelWindows(const char* windowClass, DWORD processId);
