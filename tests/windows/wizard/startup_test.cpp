// The program started as a process of its own: without the editor library it
// shows one error box and ends with 0; with it the window opens filled and
// closing it ends the process with 0.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "ansi_text.h"
#include "main_window.h"
#include "wizard_window.h"

namespace {

constexpr auto waitLimit = std::chrono::seconds(20);
constexpr DWORD exitWaitMilliseconds = 20000;

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
    // library's place beside the program or in a subfolder.
    void addEditorLibrary(const std::string& subfolder, const char* file = SCINTILLA_LIBRARY) {
        CreateDirectoryA((folder_ + subfolder).c_str(), nullptr);
        CopyFileA(file, (folder_ + subfolder + "Scintilla.dll").c_str(), FALSE);
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

std::vector<HWND> waitForWindows(const char* windowClass, DWORD processId) {
    const auto deadline = std::chrono::steady_clock::now() + waitLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        std::vector<HWND> windows = topLevelWindows(windowClass, processId);
        std::erase_if(windows, [](HWND window) { return IsWindowVisible(window) == FALSE; });
        if (!windows.empty()) {
            return windows;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
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

// The keyboard focus of the program's thread once its start has settled.
HWND focusOfProgram(HWND window) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
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
    EXPECT_TRUE(topLevelWindows("#32770", running.process.dwProcessId).empty());
    EXPECT_EQ(focusOfProgram(window), childOfClass(window, "Edit"));
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
            alone.addEditorLibrary("", impostor.file);
            expectOneErrorBoxAndEndWithZero(alone);
        }
        ProgramFolder withEditor((std::string("wizard-then-editor-") + impostor.name).c_str());
        withEditor.addEditorLibrary("", impostor.file);
        withEditor.addEditorLibrary("Compilers\\");
        expectWindowOpensFilledAndClosesWithZero(withEditor);
    }
}

TEST(StartUp, WithTheEditorLibraryBesideTheProgramOpensTheFilledWindow) {
    ProgramFolder folder("wizard-beside-");
    folder.addEditorLibrary("");
    expectWindowOpensFilledAndClosesWithZero(folder);
}

TEST(StartUp, WithTheEditorLibraryInCompilersOpensTheFilledWindow) {
    ProgramFolder folder("wizard-compilers-");
    folder.addEditorLibrary("Compilers\\");
    expectWindowOpensFilledAndClosesWithZero(folder);
}
