// The link label's cursor, colours and clicks, and the shared tooltip control.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "actions.h"
#include "ansi_text.h"
#include "events.h"
#include "gadgets.h"
#include "link_label.h"
#include "main_window.h"
#include "tooltip.h"
#include "wizard_window.h"

// After the project's headers: its "byte" type would otherwise shadow theirs.
#include <objbase.h>

namespace {

constexpr COLORREF hoverColour = RGB(0, 0, 128);
constexpr COLORREF textColour = RGB(0, 0, 0);

HWND linkLabel() {
    return gadgetWindow(gadgets::linkLabel);
}

LPARAM point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

void moveOver(int x, int y) {
    SendMessageA(linkLabel(), WM_MOUSEMOVE, 0, point(x, y));
}

struct TextPixels {
    int hover = 0;
    int normal = 0;
};

// Counts the label's pixels drawn in the hover colour and in the normal one.
TextPixels countTextPixels(COLORREF normal = textColour, COLORREF hover = hoverColour) {
    const HWND label = linkLabel();
    RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(label, &client);
    const HDC context = GetDC(label);
    TextPixels pixels;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const COLORREF colour = GetPixel(context, x, y);
            pixels.hover += colour == hover ? 1 : 0;
            pixels.normal += colour == normal ? 1 : 0;
        }
    }
    ReleaseDC(label, context);
    return pixels;
}

bool highContrastOn() {
    return true;
}

// Removes the link label's reports from the queue and counts them.
int takeClickReports() {
    int clicks = 0;
    MSG message{};
    while (PeekMessageA(&message, mainWindowHandle(), reportMessage, reportMessage, PM_REMOVE) != FALSE) {
        if (message.wParam == gadgets::linkLabel && message.lParam == eventTypes::leftClick) {
            ++clicks;
        }
    }
    return clicks;
}

POINT screenPoint(HWND window, int x, int y) {
    POINT place{x, y};
    ClientToScreen(window, &place);
    return place;
}

void injectMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

// Moves the real pointer and lets the windows see it; the label's click
// reports are kept in the queue.
void pointerTo(POINT place) {
    SetCursorPos(place.x, place.y);
    injectMouse(MOUSEEVENTF_MOVE);
}

void settle() {
    for (int round = 0; round < 20; ++round) {
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, reportMessage - 1, PM_REMOVE) != FALSE ||
               PeekMessageA(&message, nullptr, reportMessage + 1, 0xFFFF, PM_REMOVE) != FALSE) {
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

// Presses the left button at one place, moves to another and releases it
// there, as real input; answers the number of clicks the label posted.
int clicksOfAPointerDrag(POINT press, POINT release) {
    settle();
    takeClickReports();
    pointerTo(press);
    settle();
    injectMouse(MOUSEEVENTF_LEFTDOWN);
    settle();
    pointerTo(release);
    settle();
    injectMouse(MOUSEEVENTF_LEFTUP);
    settle();
    return takeClickReports();
}

struct Tool {
    HWND control = nullptr;
    std::string text;
};

Tool toolAt(int index) {
    std::array<char, 256> buffer{};
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.lpszText = buffer.data();
    if (SendMessageA(toolTipWindow(), TTM_ENUMTOOLSA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)) ==
        0) {
        return {};
    }
    return Tool{reinterpret_cast<HWND>(info.uId), buffer.data()};
}

LRESULT toolCount() {
    return SendMessageA(toolTipWindow(), TTM_GETTOOLCOUNT, 0, 0);
}

constexpr const char* webAddressHandlerKey = "https\\shell\\open\\command";

// A stand-in browser while it lives: the shell's handler of web addresses is
// a copy of a program that appends its command line to opened.txt beside
// itself. The handler registered before is put back at the end.
class RecordingBrowser {
public:
    RecordingBrowser() {
        std::string temporary(MAX_PATH, '\0');
        temporary.resize(GetTempPathA(MAX_PATH, temporary.data()));
        folder_ = temporary + "wizard-browser-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        CopyFileA(URL_RECORDER, program().c_str(), FALSE);
        std::string saved(MAX_PATH * 2, '\0');
        LONG size = static_cast<LONG>(saved.size());
        hadHandler_ = RegQueryValueA(HKEY_CLASSES_ROOT, webAddressHandlerKey, saved.data(), &size) == ERROR_SUCCESS;
        savedHandler_ = saved.c_str();
        setHandler("\"" + program() + "\" \"%1\"");
    }
    ~RecordingBrowser() {
        if (hadHandler_) {
            setHandler(savedHandler_);
        }
        DeleteFileA(record().c_str());
        DeleteFileA(program().c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    RecordingBrowser(const RecordingBrowser&) = delete;
    RecordingBrowser& operator=(const RecordingBrowser&) = delete;

    // The command lines it was started with, waiting a while for the first.
    std::string opened() const {
        for (int tries = 0; tries < 100 && GetFileAttributesA(record().c_str()) == INVALID_FILE_ATTRIBUTES; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::ifstream file(record());
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

private:
    std::string program() const { return folder_ + "browser.exe"; }
    std::string record() const { return folder_ + "opened.txt"; }
    static void setHandler(const std::string& command) {
        RegSetValueA(HKEY_CLASSES_ROOT, webAddressHandlerKey, REG_SZ, command.c_str(),
                     static_cast<DWORD>(command.size()));
    }

    std::string folder_;
    bool hadHandler_ = false;
    std::string savedHandler_;
};

}  // namespace

using LinkLabel = WizardWindow;
using ToolTips = WizardWindow;

TEST_F(LinkLabel, ShowsTheHandCursor) {
    EXPECT_EQ(SendMessageA(linkLabel(), WM_SETCURSOR, reinterpret_cast<WPARAM>(linkLabel()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              1);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
}

TEST_F(LinkLabel, IsDarkBlueExactlyWhilePointerIsOverIt) {
    TextPixels idle = countTextPixels();
    EXPECT_GT(idle.normal, 20);
    EXPECT_EQ(idle.hover, 0);

    moveOver(5, 5);
    EXPECT_EQ(GetCapture(), linkLabel());
    const TextPixels hovered = countTextPixels();
    EXPECT_GT(hovered.hover, 20);
    EXPECT_EQ(hovered.normal, 0);

    RECT client{};
    GetClientRect(linkLabel(), &client);
    moveOver(client.right, client.bottom);  // the bounds still count as over it
    EXPECT_EQ(GetCapture(), linkLabel());
    moveOver(client.right + 1, 5);
    EXPECT_EQ(GetCapture(), nullptr);
    idle = countTextPixels();
    EXPECT_GT(idle.normal, 20);
    EXPECT_EQ(idle.hover, 0);
}

// Wine cannot switch high contrast on; the label is told it is on, and the
// system's colours are made ones that no other part of the label has.
TEST_F(LinkLabel, UnderHighContrastTakesTheSystemsColoursAtOnce) {
    const std::array<int, 2> elements{COLOR_WINDOWTEXT, COLOR_HOTLIGHT};
    const std::array<COLORREF, 2> saved{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HOTLIGHT)};
    const std::array<COLORREF, 2> contrast{RGB(255, 255, 0), RGB(0, 255, 255)};
    SetSysColors(2, elements.data(), contrast.data());
    replaceHighContrastQuery(highContrastOn);
    ValidateRect(linkLabel(), nullptr);
    SendMessageA(mainWindowHandle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_NE(GetUpdateRect(linkLabel(), nullptr, FALSE), FALSE) << "a change of colours repaints the label";

    TextPixels idle = countTextPixels(contrast[0], contrast[1]);
    EXPECT_GT(idle.normal, 20);
    EXPECT_EQ(idle.hover, 0);
    EXPECT_EQ(countTextPixels().normal, 0);
    moveOver(5, 5);
    const TextPixels hovered = countTextPixels(contrast[0], contrast[1]);
    EXPECT_GT(hovered.hover, 20);
    EXPECT_EQ(hovered.normal, 0);
    EXPECT_EQ(countTextPixels().hover, 0);

    replaceHighContrastQuery(nullptr);
    SetSysColors(2, elements.data(), saved.data());
}

TEST_F(LinkLabel, PostsOneClickPerButtonRelease) {
    pumpMessages();
    SendMessageA(linkLabel(), WM_LBUTTONUP, 0, point(5, 5));
    EXPECT_EQ(takeClickReports(), 1);
    SendMessageA(linkLabel(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    SendMessageA(linkLabel(), WM_LBUTTONUP, 0, point(5, 5));
    SendMessageA(linkLabel(), WM_LBUTTONDBLCLK, MK_LBUTTON, point(5, 5));
    SendMessageA(linkLabel(), WM_LBUTTONUP, 0, point(5, 5));
    EXPECT_EQ(takeClickReports(), 2);
}

TEST_F(LinkLabel, PressOnTheBackgroundAndReleaseOnTheLabelClicks) {
    EXPECT_EQ(clicksOfAPointerDrag(screenPoint(mainWindowHandle(), 320, 432), screenPoint(linkLabel(), 20, 7)), 1);
}

TEST_F(LinkLabel, DraggingOffTheLabelBeforeReleasePostsNoClick) {
    EXPECT_EQ(clicksOfAPointerDrag(screenPoint(linkLabel(), 20, 7), screenPoint(mainWindowHandle(), 320, 380)), 0);
    EXPECT_NE(GetCapture(), linkLabel());
}

// The shell opens the page with COM initialised on the calling thread, as its
// documentation asks: on a thread of its own, which has no COM yet (the
// editor's is on the window's thread), the first click leaves COM
// initialised in a single-threaded apartment.
TEST_F(LinkLabel, OpensThePageThroughTheShellWithComInitialised) {
    const RecordingBrowser browser;
    HRESULT again = E_FAIL;
    std::thread([&again] {
        openAuthorsWebPage();
        again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(again)) {
            CoUninitialize();
        }
    }).join();
    EXPECT_EQ(again, S_FALSE) << "COM was initialised in a single-threaded apartment already";
    EXPECT_NE(browser.opened().find(std::string("\"") + authorsWebPage + "\""), std::string::npos);
}

TEST_F(ToolTips, CopyButtonAndLinkLabelHaveTheirHints) {
    ASSERT_NE(toolTipWindow(), nullptr);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(toolTipWindow(), GWL_STYLE)) & (TTS_NOPREFIX | TTS_ALWAYSTIP),
              static_cast<DWORD>(TTS_NOPREFIX | TTS_ALWAYSTIP));
    ASSERT_EQ(toolCount(), 2);
    const Tool first = toolAt(0);
    const Tool second = toolAt(1);
    EXPECT_EQ(first.control, gadgetWindow(gadgets::copyButton));
    EXPECT_EQ(first.text, std::string(ansi("Скопировать в буфер обмена").view()));
    EXPECT_EQ(second.control, gadgetWindow(gadgets::linkLabel));
    EXPECT_EQ(second.text, "Orlenka");
}

TEST_F(ToolTips, SettingAHintTwiceLeavesOneToolWithTheSecondText) {
    EXPECT_NE(setGadgetToolTip(gadgets::copyButton, "first"), 0);
    EXPECT_NE(setGadgetToolTip(gadgets::copyButton, "second"), 0);
    ASSERT_EQ(toolCount(), 2);
    const Tool copyTool = toolAt(0).control == gadgetWindow(gadgets::copyButton) ? toolAt(0) : toolAt(1);
    EXPECT_EQ(copyTool.text, "second");
}

TEST_F(ToolTips, GadgetWithoutControlGetsNoTool) {
    EXPECT_EQ(setGadgetToolTip(8, "none"), 0);
    EXPECT_EQ(toolCount(), 2);
}
