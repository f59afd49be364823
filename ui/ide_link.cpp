#include "ide_link.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "clipboard.h"
#include "environment.h"
#include "tool_environment.h"
#include "utf8.h"

namespace {

// A busy IDE is waited for this long before the wizard gives up on it.
constexpr UINT ideAnswerMilliseconds = 5000;
constexpr std::wstring_view editorClassName = L"Scintilla";
// A class name longer than the editor's is not the editor's.
constexpr int classNameCapacity = 16;

HWND windowFromVariable(const wchar_t* name) {
    const std::optional<std::string> text = environmentVariable(name);
    const std::optional<std::uint64_t> handle = text ? parseWindowHandle(*text) : std::nullopt;
    if (!handle) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*handle));
}

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

bool isEditorClass(HWND window) {
    wchar_t name[classNameCapacity] = {};
    const int length = GetClassNameW(window, name, classNameCapacity);
    return length > 0 && std::wstring_view(name, static_cast<std::size_t>(length)) == editorClassName;
}

// Sends a message that needs no memory in the IDE's process, or whose
// memory Windows carries across itself; nothing when the IDE does not answer.
std::optional<LRESULT> askIde(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(editor, message, wParam, lParam, SMTO_ABORTIFHUNG, ideAnswerMilliseconds, &result) ==
        0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

// The editor's whole text: a Unicode window answers WM_GETTEXT in UTF-16,
// which Windows copies between the processes.
std::optional<std::string> ideEditorText(HWND editor) {
    const std::optional<LRESULT> length = askIde(editor, WM_GETTEXTLENGTH, 0, 0);
    if (!length || *length < 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied =
        askIde(editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    if (!copied || *copied < 0 || static_cast<std::size_t>(*copied) >= text.size()) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(*copied));
    return utf8FromWide(text);
}

}  // namespace

bool ideEditorIsLive(const IdeEditor& ide) {
    if (IsWindow(ide.mainWindow) == FALSE || IsWindow(ide.editor) == FALSE) {
        return false;
    }
    const DWORD ideProcess = processOf(ide.mainWindow);
    return ideProcess != 0 && processOf(ide.editor) == ideProcess && IsWindowVisible(ide.editor) != FALSE &&
           isEditorClass(ide.editor);
}

std::optional<IdeEditor> findIdeEditor() {
    const IdeEditor ide{windowFromVariable(L"PB_TOOL_MainWindow"), windowFromVariable(L"PB_TOOL_Scintilla")};
    if (ide.mainWindow == nullptr || ide.editor == nullptr || !ideEditorIsLive(ide)) {
        return std::nullopt;
    }
    return ide;
}

std::optional<ReadCall> readSelectedCall(const IdeEditor& ide) {
    const std::optional<std::string> variable = environmentVariable(L"PB_TOOL_Selection");
    const std::optional<TextSelection> selection = variable ? parseToolSelection(*variable) : std::nullopt;
    if (!selection) {
        return std::nullopt;
    }
    const std::optional<std::string> document = ideEditorText(ide.editor);
    const std::optional<ByteRange> range = document ? findSelectedBytes(*document, *selection) : std::nullopt;
    if (!range || range->start == range->end) {
        return std::nullopt;
    }
    return readCall(std::string_view(*document).substr(range->start, range->end - range->start));
}

// The IDE's own paste, so that its undo, line ends and encoding apply. A
// clipboard manager that still holds the clipboard after the copy would make
// that paste find nothing, so the wizard waits for it first.
bool pasteIntoIde(const IdeEditor& ide, HWND owner) {
    if (!ideEditorIsLive(ide)) {
        return false;
    }
    waitForFreeClipboard(owner);
    if (!askIde(ide.editor, WM_PASTE, 0, 0)) {
        return false;
    }
    if (IsIconic(ide.mainWindow) != FALSE) {
        ShowWindow(ide.mainWindow, SW_RESTORE);
    }
    SetForegroundWindow(ide.mainWindow);
    return true;
}
