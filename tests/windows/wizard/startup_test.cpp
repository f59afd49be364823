// The program started as a process of its own: without the editor library it
// shows one error box and ends with 0; with it the window opens filled, takes
// the first key in the title field, and closing it ends the process with 0.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "ansi_text.h"
#include "interface_texts.h"
#include "main_window.h"
#include "utf8.h"
#include "wizard_window.h"

namespace {

constexpr auto waitLimit = std::chrono::seconds(20);
constexpr DWORD exitWaitMilliseconds = 20000;
constexpr int iconSide = 32;
constexpr WORD letterKey = 'X';

// A fresh folder holding a copy of the program, and the editor library
// where asked.
class ProgramFolder {
public:
    explicit ProgramFolder(const char* name) {
        std::string temporary(MAX_PATH, '\0');
        temporary.resize(GetTempPathA(MAX_PATH, temporary.data()));
        folder_ = temporary;
        folder_.append(name).append(std::to_string(GetCurrentProcessId())).push_back('\\');
        CreateDirectoryA(folder_.c_str(), nullptr);
        CopyFileA(WIZARD_PROGRAM, program().c_str(), FALSE);
    }
    ~ProgramFolder() {
        DeleteFileA(program().c_str());
        DeleteFileA((folder_ + "Scintilla.dll").c_str());
        DeleteFileA((folder_ + "Compilers\\Scintilla.dll").c_str());
        RemoveDirectoryA((folder_ + "Compilers").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // Puts a copy of file, the editor library unless told otherwise, in the
    // library's place beside the program or in a subfolder; false when the
    // file could not be copied there.
    bool addEditorLibrary(const std::string& subfolder, const char* file = SCINTILLA_LIBRARY) {
        CreateDirectoryA((folder_ + subfolder).c_str(), nullptr);
        return CopyFileA(file, (folder_ + subfolder + "Scintilla.dll").c_str(), FALSE) != FALSE;
    }
    std::string program() const { return folder_ + "MessageRequesterWizard.exe"; }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

struct RunningProgram {
    PROCESS_INFORMATION process{};
    bool started = false;
};

RunningProgram start(const ProgramFolder& folder) {
    RunningProgram running;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine(1, '"');
    commandLine.append(folder.program()).push_back('"');
    running.started = CreateProcessA(folder.program().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     folder.folder().c_str(), &startup, &running.process) != FALSE;
    return running;
}

// Polls until condition answers true; false after the wait limit.
template <typename Condition>
bool waitUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + waitLimit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::vector<HWND> waitForWindows(const char* windowClass, DWORD processId) {
    std::vector<HWND> windows;
    waitUntil([&] {
        windows = topLevelWindows(windowClass, processId);
        std::erase_if(windows, [](HWND window) { return IsWindowVisible(window) == FALSE; });
        return !windows.empty();
    });
    return windows;
}

DWORD waitForExit(const RunningProgram& running) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(running.process.hProcess, exitWaitMilliseconds) == WAIT_OBJECT_0) {
        GetExitCodeProcess(running.process.hProcess, &code);
    } else {
        TerminateProcess(running.process.hProcess, 1);
        WaitForSingleObject(running.process.hProcess, exitWaitMilliseconds);
    }
    CloseHandle(running.process.hThread);
    CloseHandle(running.process.hProcess);
    return code;
}

// Text of a control of another process.
std::string controlText(HWND control) {
    std::string buffer(1024, '\0');
    const LRESULT length = SendMessageA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return buffer;
}

HWND childOfClass(HWND parent, const char* windowClass) {
    return FindWindowExA(parent, nullptr, windowClass, nullptr);
}

HWND focusOfProgram(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The pixels of a square the size of an icon, drawn by draw(square, screen).
template <typename Draw>
std::vector<COLORREF> squarePixels(Draw draw) {
    const HDC screen = GetDC(nullptr);
    const HDC square = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, iconSide, iconSide);
    const HGDIOBJ previous = SelectObject(square, bitmap);
    draw(square, screen);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < iconSide; ++y) {
        for (int x = 0; x < iconSide; ++x) {
            pixels.push_back(GetPixel(square, x, y));
        }
    }
    SelectObject(square, previous);
    DeleteObject(bitmap);
    DeleteDC(square);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<COLORREF> iconOn(HICON icon, int stockBrush) {
    return squarePixels([&](HDC square, HDC) {
        const RECT area{0, 0, iconSide, iconSide};
        FillRect(square, &area, static_cast<HBRUSH>(GetStockObject(stockBrush)));
        DrawIconEx(square, 0, 0, icon, iconSide, iconSide, 0, nullptr, DI_NORMAL);
    });
}

// Whether the screen shows a system icon on a control, as a person would see
// it: every opaque pixel of the icon (alike on black and on white) is there.
// The icon handle of another process cannot be read, so its picture is.
bool showsSystemIcon(HWND control, LPCSTR systemIcon) {
    RECT place{};
    GetWindowRect(control, &place);
    const HICON icon = LoadIconA(nullptr, systemIcon);
    const std::vector<COLORREF> onBlack = iconOn(icon, BLACK_BRUSH);
    const std::vector<COLORREF> onWhite = iconOn(icon, WHITE_BRUSH);
    const std::vector<COLORREF> shown = squarePixels([&](HDC square, HDC screen) {
        BitBlt(square, 0, 0, iconSide, iconSide, screen, place.left, place.top, SRCCOPY);
    });
    std::size_t opaque = 0;
    for (std::size_t pixel = 0; pixel < shown.size(); ++pixel) {
        if (onBlack[pixel] == onWhite[pixel]) {
            ++opaque;
            if (shown[pixel] != onBlack[pixel]) {
                return false;
            }
        }
    }
    return opaque > 0;
}

HWND iconOfBox(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) != FALSE) {
            return child;
        }
    }
    return nullptr;
}

void expectWindowOpensFilledAndClosesWithZero(ProgramFolder& folder) {
    RunningProgram running = start(folder);
    ASSERT_TRUE(running.started);
    const std::vector<HWND> windows = waitForWindows(mainWindowClassName, running.process.dwProcessId);
    ASSERT_EQ(windows.size(), 1U);
    const HWND window = windows.front();
    EXPECT_EQ(controlText(window), "MessageRequester");
    EXPECT_EQ(SendMessageA(childOfClass(window, WC_LISTVIEWA), LVM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_NE(childOfClass(window, "Scintilla"), nullptr);
    // The letter arriving is the sign that the start has settled and the
    // program takes keys.
    const HWND titleField = childOfClass(window, "Edit");
    pressKey(letterKey);
    EXPECT_TRUE(waitUntil([&] { return !controlText(titleField).empty(); })) << "the first key reaches the title field";
    EXPECT_EQ(focusOfProgram(window), titleField);
    EXPECT_TRUE(topLevelWindows("#32770", running.process.dwProcessId).empty());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForExit(running), 0U);
}

void expectOneErrorBoxAndEndWithZero(const ProgramFolder& folder) {
    RunningProgram running = start(folder);
    ASSERT_TRUE(running.started);
    const std::vector<HWND> boxes = waitForWindows("#32770", running.process.dwProcessId);
    if (boxes.size() != 1U) {
        ADD_FAILURE() << "expected one error box, found " << boxes.size();
        TerminateProcess(running.process.hProcess, 1);
        waitForExit(running);
        return;
    }
    const HWND box = boxes.front();
    EXPECT_EQ(controlText(box), "MessageRequester");
    EXPECT_EQ(controlText(GetDlgItem(box, 0xFFFF)),
              std::string(ansi("Приложению не удалось запуститься\nиз-за отсутствия файла Scintilla.dll").view()));
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDYES), nullptr);
    const HWND icon = iconOfBox(box);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(waitUntil([&] { return showsSystemIcon(icon, IDI_HAND); })) << "the error icon";
    EXPECT_TRUE(topLevelWindows(mainWindowClassName, running.process.dwProcessId).empty());
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    EXPECT_EQ(waitForExit(running), 0U);
}

}  // namespace

TEST(StartUp, WithoutTheEditorLibraryShowsOneErrorBoxAndEndsWithZero) {
    ProgramFolder folder("wizard-no-editor-");
    expectOneErrorBoxAndEndWithZero(folder);
}

// A file of the library's name in the first place that is not the editor's
// library is passed over: the next place is tried, and the error box comes
// only when no place yields the editor.
TEST(StartUp, AFileInTheFirstPlaceThatIsNotTheEditorLibraryIsPassedOver) {
    const struct {
        const char* name;
        const char* file;
    } impostors[] = {
        {"text-", NOT_A_LIBRARY},
        {"other-architecture-", OTHER_ARCHITECTURE_LIBRARY},
        {"no-editor-class-", NO_EDITOR_LIBRARY},
    };
    for (const auto& impostor : impostors) {
        SCOPED_TRACE(impostor.file);
        {
            ProgramFolder alone((std::string("wizard-alone-") + impostor.name).c_str());
            ASSERT_TRUE(alone.addEditorLibrary("", impostor.file));
            expectOneErrorBoxAndEndWithZero(alone);
        }
        ProgramFolder withEditor((std::string("wizard-then-editor-") + impostor.name).c_str());
        ASSERT_TRUE(withEditor.addEditorLibrary("", impostor.file));
        ASSERT_TRUE(withEditor.addEditorLibrary("Compilers\\"));
        expectWindowOpensFilledAndClosesWithZero(withEditor);
    }
}

TEST(StartUp, WithTheEditorLibraryBesideTheProgramOpensTheFilledWindow) {
    ProgramFolder folder("wizard-beside-");
    ASSERT_TRUE(folder.addEditorLibrary(""));
    expectWindowOpensFilledAndClosesWithZero(folder);
}

TEST(StartUp, WithTheEditorLibraryInCompilersOpensTheFilledWindow) {
    ProgramFolder folder("wizard-compilers-");
    ASSERT_TRUE(folder.addEditorLibrary("Compilers\\"));
    expectWindowOpensFilledAndClosesWithZero(folder);
}

// Started from the PureBasic IDE, the program speaks the IDE's language over
// the session's Russian, from its first box on.
TEST(StartUp, TheIdesLanguageIsTheLanguageOfTheErrorBox) {
    ProgramFolder folder("wizard-no-editor-");
    SetEnvironmentVariableW(L"PB_TOOL_Language", L"English");
    RunningProgram running = start(folder);
    SetEnvironmentVariableW(L"PB_TOOL_Language", nullptr);
    ASSERT_TRUE(running.started);
    const std::vector<HWND> boxes = waitForWindows("#32770", running.process.dwProcessId);
    ASSERT_EQ(boxes.size(), 1U);
    std::array<wchar_t, 256> text{};
    GetWindowTextW(GetDlgItem(boxes.front(), 0xFFFF), text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(std::wstring(text.data()),
              wideFromUtf8(interfaceTexts(InterfaceLanguage::english).startFailureText));
    PostMessageA(boxes.front(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(boxes.front(), IDOK)));
    EXPECT_EQ(waitForExit(running), 0U);
}
