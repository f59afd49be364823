// The program's start and end: load the editor library or say that it is
// missing, build and show the window, run the loop, release everything.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "ansi_text.h"
#include "editor_library.h"
#include "event_loop.h"
#include "gadgets.h"
#include "main_window.h"
#include "message_box.h"

namespace {

constexpr auto startFailureText = ansi("Приложению не удалось запуститься\nиз-за отсутствия файла Scintilla.dll");
constexpr std::uint32_t startFailureStyle = MB_ICONERROR | MB_OK;
constexpr DWORD commonControlClasses = ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES;
static_assert(commonControlClasses == 0x0B08);
constexpr UINT exitCode = 0;

void initialiseCommonControls() {
    InitCommonControls();
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = commonControlClasses;
    InitCommonControlsEx(&classes);
}

// The editor library stays loaded until the process ends.
[[noreturn]] void shutdown() {
    destroyMainWindow();
    ExitProcess(exitCode);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    initialiseCommonControls();
    if (locateEditorLibrary() == nullptr) {
        showMessageBox(mainWindowTitle, startFailureText.c_str(), startFailureStyle);
        shutdown();
    }
    createMainWindow();
    if (mainWindowHandle() == nullptr) {
        // Without a window the loop could never end.
        shutdown();
    }
    fillOptionLists();
    focusGadget(gadgets::titleField);
    showMainWindow();
    runEventLoop();
    shutdown();
}
