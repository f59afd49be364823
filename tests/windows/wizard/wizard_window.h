// Test support: the wizard's window built in the test process, a script that
// drives the real event loop, and small readers of window state.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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
