// Baselines of the start-up figure: the least a Win32 program does to show a
// window, with nothing in it; or, when its command line says "editor", the
// same window with the editor library loaded from Compilers\ beside the
// program and one editor in it, under the title "EditorWindow". Ends when the
// window is closed.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

LRESULT CALLBACK emptyWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Loads Compilers\Scintilla.dll from the program's folder and creates one
// editor in the window; false when either fails.
bool addEditor(HWND window, HINSTANCE instance) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string library(path, length);
    library = library.substr(0, library.rfind('\\') + 1) + "Compilers\\Scintilla.dll";
    if (LoadLibraryA(library.c_str()) == nullptr) {
        return false;
    }
    return CreateWindowExA(WS_EX_CLIENTEDGE, "Scintilla", "", WS_CHILD | WS_VISIBLE, 10, 40, 500, 200, window,
                           nullptr, instance, nullptr) != nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const bool withEditor = std::strstr(commandLine, "editor") != nullptr;
    const char* title = withEditor ? "EditorWindow" : "EmptyWindow";
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = emptyWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "EmptyWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "EmptyWindow", title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 540,
                                  443, nullptr, nullptr, instance, nullptr);
    if (withEditor && !addEditor(window, instance)) {
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
