// The program's start and end: load the editor library or say that it is
// missing, build and show the window, run the loop, release everything.
#include <windows.h>

#include <cstdint>
#include <string>

#include "editor_library.h"
#include "event_loop.h"
#include "interface_language.h"
#include "library_search.h"
#include "main_window.h"
#include "message_box.h"
#include "startup.h"

namespace {

constexpr std::uint32_t startFailureStyle = MB_ICONERROR | MB_OK;
constexpr UINT exitCode = 0;

// The editor library stays loaded until the process ends.
[[noreturn]] void shutdown() {
    destroyMainWindow();
    ExitProcess(exitCode);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    useInterfaceLanguage(sessionInterfaceLanguage());
    restrictLibrarySearch();
    prepareCommonControls();
    if (locateEditorLibrary() == nullptr) {
        const InterfaceTexts& texts = interfaceTextsInUse();
        showMessageBox(std::string(texts.startFailureCaption).c_str(), std::string(texts.startFailureText).c_str(),
                       startFailureStyle);
        shutdown();
    }
    if (!startMainWindow()) {
        // Without a window the loop could never end.
        shutdown();
    }
    runEventLoop();
    shutdown();
}
