// Baselines of the start-up figure: the least a Win32 program does to show a
// window, with nothing in it; or, when its command line says "editor", the
// same window with the editor library loaded from Compilers\ beside the
// program and one editor in it, under the title "EditorWindow". With
// "copyfloor FILE" the editor holds the UTF-8 text of FILE and a button
// (control 9) does the least a Unicode copy must do, under the title
// "CopyFloor": the floor of the copy figure. Ends when the window is closed.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int copyButton = 9;
constexpr UINT sciGetText = 2182;
constexpr UINT sciGetTextLength = 2183;
constexpr UINT sciSetText = 2181;
HWND editor = nullptr;

HGLOBAL blockOf(const void* bytes, SIZE_T size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory) {
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
    }
    return memory;
}

// The editor's text read in one message, made into UTF-16 and Windows-1251
// by Windows' own converters, and both placed with their locale in one
// opening of the clipboard.
void copyFloor(HWND window) {
    const auto length = static_cast<SIZE_T>(SendMessageA(editor, sciGetTextLength, 0, 0));
    std::vector<char> utf8(length + 1, '\0');
    SendMessageA(editor, sciGetText, length + 1, reinterpret_cast<LPARAM>(utf8.data()));
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(length + 1), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<SIZE_T>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(length + 1), wide.data(), units);
    constexpr UINT windows1251 = 1251;
    const int bytes = WideCharToMultiByte(windows1251, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::vector<char> single(static_cast<SIZE_T>(bytes), '\0');
    WideCharToMultiByte(windows1251, 0, wide.data(), units, single.data(), bytes, nullptr, nullptr);
    const LCID russian = 0x0419;
    HGLOBAL unicodeBlock = blockOf(wide.data(), wide.size() * sizeof(wchar_t));
    HGLOBAL textBlock = blockOf(single.data(), single.size());
    HGLOBAL localeBlock = blockOf(&russian, sizeof(russian));
    if (OpenClipboard(window)) {
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, unicodeBlock);
        SetClipboardData(CF_TEXT, textBlock);
        SetClipboardData(CF_LOCALE, localeBlock);
        CloseClipboard();
    }
}

LRESULT CALLBACK emptyWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == copyButton) {
        copyFloor(window);
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
    editor = CreateWindowExW(WS_EX_CLIENTEDGE, L"Scintilla", L"", WS_CHILD | WS_VISIBLE, 10, 40, 500, 200, window,
                             nullptr, instance, nullptr);
    return editor != nullptr;
}

// Fills the editor from the file named after "copyfloor " and adds the button.
void prepareCopyFloor(HWND window, HINSTANCE instance, const char* commandLine) {
    const std::string path = std::strstr(commandLine, "copyfloor ") + std::strlen("copyfloor ");
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    SendMessageA(editor, sciSetText, 0, reinterpret_cast<LPARAM>(text.c_str()));
    CreateWindowExA(0, "BUTTON", "Copy", WS_CHILD | WS_VISIBLE, 10, 250, 100, 25, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(copyButton)), instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const bool copyFloorMode = std::strstr(commandLine, "copyfloor ") != nullptr;
    const bool withEditor = copyFloorMode || std::strstr(commandLine, "editor") != nullptr;
    const char* title = copyFloorMode ? "CopyFloor" : withEditor ? "EditorWindow" : "EmptyWindow";
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
    if (copyFloorMode) {
        prepareCopyFloor(window, instance, commandLine);
    }
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
