// Stands in for the PureBasic IDE: a window titled "Stand-in IDE" holding a
// source in a Scintilla editor, with a selection, which starts the wizard as
// a tool the way the IDE does, its windows and the selection named in the
// tool's environment. A posted WM_APP closes the editor, as closing the
// source's tab does, or with wParam 1 hides it, as switching to another
// source's tab does; WM_APP + 1 selects from wParam to lParam, as a click in
// the source does; WM_APP + 2 types an "X" at wParam.
//
//   standin_ide.exe SCINTILLA.DLL WIZARD.EXE SOURCE.TXT LxCxLxC [OPTIONS]
//
// OPTIONS: "single-byte" holds the source's bytes in code page 0, as the IDE
// holds a file without a byte-order mark; "negative" writes the windows'
// handles as negative numbers with the same low 32 bits.
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

constexpr UINT sciSetCodePage = 2037;
constexpr UINT sciSetSel = 2160;
constexpr UINT sciPositionFromLine = 2167;
constexpr UINT sciPositionRelative = 2670;
constexpr UINT sciAddText = 2001;
constexpr UINT sciInsertText = 2003;
constexpr UINT closeEditor = WM_APP;
constexpr UINT selectRange = WM_APP + 1;
constexpr UINT typeX = WM_APP + 2;
constexpr WPARAM hideOnly = 1;
constexpr std::int64_t handleSpan = std::int64_t{1} << 32;
constexpr WPARAM utf8CodePage = 65001;

HWND editor = nullptr;

LRESULT CALLBACK ideProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == selectRange) {
        SendMessageW(editor, sciSetSel, wParam, lParam);
        return 0;
    }
    if (message == typeX) {
        SendMessageW(editor, sciInsertText, wParam, reinterpret_cast<LPARAM>("X"));
        return 0;
    }
    if (message == closeEditor) {
        if (wParam == hideOnly) {
            ShowWindow(editor, SW_HIDE);
        } else {
            DestroyWindow(editor);
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A place "LINE", "COLUMN" (both from 1, the column counting characters) as
// the editor's byte position.
LPARAM positionOf(std::uintptr_t line, std::uintptr_t column) {
    const LRESULT lineStart = SendMessageW(editor, sciPositionFromLine, line - 1, 0);
    return SendMessageW(editor, sciPositionRelative, static_cast<WPARAM>(lineStart), static_cast<LPARAM>(column - 1));
}

void selectFromVariable(const std::string& selection) {
    std::uintptr_t place[4] = {1, 1, 1, 1};
    char separator = 'x';
    std::istringstream in(selection);
    in >> place[0] >> separator >> place[1] >> separator >> place[2] >> separator >> place[3];
    SendMessageW(editor, sciSetSel, static_cast<WPARAM>(positionOf(place[0], place[1])),
                 positionOf(place[2], place[3]));
}

void setVariable(const wchar_t* name, const std::string& value) {
    SetEnvironmentVariableW(name, std::wstring(value.begin(), value.end()).c_str());
}

// The handle as the IDE writes it: as it is, or negative with the same low bits.
std::string handleText(HWND window, bool negative) {
    const auto value = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(window));
    return std::to_string(negative ? value - handleSpan : value);
}

void startWizard(HWND window, const std::string& wizard, const std::string& selection, bool negative) {
    setVariable(L"PB_TOOL_MainWindow", handleText(window, negative));
    setVariable(L"PB_TOOL_Scintilla", handleText(editor, negative));
    setVariable(L"PB_TOOL_Selection", selection);
    const std::string folder = wizard.substr(0, wizard.rfind('\\'));
    std::string commandLine = "\"" + wizard + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessA(wizard.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                       &startup, &process) != FALSE) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 5 || __argc > 6 || LoadLibraryA(__argv[1]) == nullptr) {
        return 1;
    }
    const std::string options = __argc == 6 ? __argv[5] : "";
    std::ifstream sourceFile(__argv[3], std::ios::binary);
    const std::string source((std::istreambuf_iterator<char>(sourceFile)), std::istreambuf_iterator<char>());
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ideProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = L"StandinIde";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(L"StandinIde", L"Stand-in IDE", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420,
                                      300, nullptr, nullptr, instance, nullptr);
    editor = CreateWindowW(L"Scintilla", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 260, window, nullptr, instance,
                           nullptr);
    SendMessageW(editor, sciSetCodePage, options.find("single-byte") == std::string::npos ? utf8CodePage : 0, 0);
    SendMessageW(editor, sciAddText, source.size(), reinterpret_cast<LPARAM>(source.data()));
    selectFromVariable(__argv[4]);
    startWizard(window, __argv[2], __argv[4], options.find("negative") != std::string::npos);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
