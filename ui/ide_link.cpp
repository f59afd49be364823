#include "ide_link.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "clipboard.h"
#include "editor.h"
#include "environment.h"
#include "tool_environment.h"
#include "utf8.h"

namespace {

// A busy IDE is waited for this long before the wizard gives up on it.
constexpr UINT ideAnswerMilliseconds = 5000;
constexpr std::wstring_view editorClassName = L"Scintilla";
// A class name longer than the editor's is not the editor's.
constexpr int classNameCapacity = 16;

// Scintilla's line-end modes, as SCI_GETEOLMODE answers them.
constexpr std::string_view lineEndOfMode[] = {"\r\n", "\r", "\n"};

// Where a call opened from the IDE stands: the selection as the IDE counts
// it, and the text of its lines when it was read.
struct OpenedCall {
    TextSelection place;
    std::string lines;
};

struct IdeLink {
    HWND mainWindow = nullptr;
    HWND editor = nullptr;
    std::optional<OpenedCall> opened;
};

IdeLink& ideLink() {
    static IdeLink link;
    return link;
}

// Windows keeps a handle's low 32 bits and extends them by their sign.
HWND windowFromVariable(const wchar_t* name) {
    const std::optional<std::string> text = environmentVariable(name);
    const std::optional<std::uint32_t> handle = text ? parseWindowHandle(*text) : std::nullopt;
    if (!handle) {
        return nullptr;
    }
    const auto signExtended = static_cast<std::intptr_t>(static_cast<std::int32_t>(*handle));
    return reinterpret_cast<HWND>(signExtended);
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

bool ideEditorIsLive(const IdeLink& ide) {
    if (IsWindow(ide.mainWindow) == FALSE || IsWindow(ide.editor) == FALSE) {
        return false;
    }
    const DWORD ideProcess = processOf(ide.mainWindow);
    return ideProcess != 0 && processOf(ide.editor) == ideProcess && IsWindowVisible(ide.editor) != FALSE &&
           isEditorClass(ide.editor);
}

// Sends a message that needs no memory in the IDE's process, or whose
// memory Windows carries across itself; nothing when the IDE does not answer.
std::optional<LRESULT> askIde(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(ideLink().editor, message, wParam, lParam, SMTO_ABORTIFHUNG, ideAnswerMilliseconds,
                            &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

// The editor's whole text: a Unicode window answers WM_GETTEXT in UTF-16,
// which Windows copies between the processes.
std::optional<std::wstring> ideEditorText() {
    const std::optional<LRESULT> length = askIde(WM_GETTEXTLENGTH);
    if (!length || *length < 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied = askIde(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    if (!copied || *copied < 0 || static_cast<std::size_t>(*copied) >= text.size()) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(*copied));
    return text;
}

// The source in its own bytes: UTF-8, or the single bytes of a source
// without a byte-order mark, which its editor hands out through
// Windows-1252 and which are shown in the system's ANSI code page.
struct IdeDocument {
    std::string bytes;
    bool utf8 = true;
    ColumnUnit unit = ColumnUnit::utf8Character;
};

std::optional<IdeDocument> readIdeDocument() {
    const std::optional<LRESULT> codePage = askIde(sci::getCodePage);
    const std::optional<std::wstring> text = codePage ? ideEditorText() : std::nullopt;
    if (!text || (*codePage != 0 && *codePage != sci::utf8CodePage)) {
        return std::nullopt;
    }
    if (*codePage == sci::utf8CodePage) {
        return IdeDocument{utf8FromWide(*text), true, ColumnUnit::utf8Character};
    }
    return IdeDocument{windows1252FromWide(*text), false, ColumnUnit::byte};
}

std::string_view ideLineEnd() {
    const std::optional<LRESULT> mode = askIde(sci::getEolMode);
    const bool known = mode && *mode >= 0 && static_cast<std::size_t>(*mode) < std::size(lineEndOfMode);
    return known ? lineEndOfMode[*mode] : lineEndOfMode[0];
}

// A place of the editor (a byte position) as the IDE counts lines and columns.
std::optional<TextPosition> placeOfPosition(LRESULT position) {
    const std::optional<LRESULT> line = askIde(sci::lineFromPosition, static_cast<WPARAM>(position));
    const std::optional<LRESULT> lineStart = line ? askIde(sci::positionFromLine, static_cast<WPARAM>(*line))
                                                  : std::nullopt;
    const std::optional<LRESULT> column =
        lineStart ? askIde(sci::countCharacters, static_cast<WPARAM>(*lineStart), position) : std::nullopt;
    if (!column || *line < 0 || *column < 0) {
        return std::nullopt;
    }
    return TextPosition{static_cast<std::size_t>(*line) + 1, static_cast<std::size_t>(*column) + 1};
}

std::optional<LRESULT> positionOfPlace(const TextPosition& place) {
    const std::optional<LRESULT> lineStart = askIde(sci::positionFromLine, place.line - 1);
    if (!lineStart) {
        return std::nullopt;
    }
    return askIde(sci::positionRelative, static_cast<WPARAM>(*lineStart), static_cast<LPARAM>(place.column - 1));
}

// The selection (or the caret) as it stands now.
std::optional<ByteRange> currentSelection(const IdeDocument& document) {
    const std::optional<LRESULT> start = askIde(sci::getSelectionStart);
    const std::optional<LRESULT> end = askIde(sci::getSelectionEnd);
    const std::optional<TextPosition> startPlace = start ? placeOfPosition(*start) : std::nullopt;
    const std::optional<TextPosition> endPlace = end ? placeOfPosition(*end) : std::nullopt;
    if (!startPlace || !endPlace) {
        return std::nullopt;
    }
    return findSelectedBytes(document.bytes, TextSelection{*startPlace, *endPlace}, document.unit);
}

std::string linesText(const IdeDocument& document, ByteRange range) {
    const ByteRange lines = linesAround(document.bytes, range);
    return document.bytes.substr(lines.start, lines.end - lines.start);
}

// The opened call's selection in the source as it is now, when its lines
// still hold what they held.
std::optional<ByteRange> openedCallPlace(const OpenedCall& opened, const IdeDocument& document) {
    const std::optional<ByteRange> range = findSelectedBytes(document.bytes, opened.place, document.unit);
    if (!range || linesText(document, *range) != opened.lines) {
        return std::nullopt;
    }
    return range;
}

void rememberOpenedCall(const IdeDocument& document, ByteRange range) {
    ideLink().opened = OpenedCall{TextSelection{positionOfByte(document.bytes, range.start, document.unit),
                                                positionOfByte(document.bytes, range.end, document.unit)},
                                  linesText(document, range)};
}

// Selects the plan's range in the IDE and has it paste the clipboard there.
bool pastePlan(const IdeDocument& document, const InsertPlan& plan) {
    const std::optional<LRESULT> start = positionOfPlace(positionOfByte(document.bytes, plan.replaced.start, document.unit));
    const std::optional<LRESULT> end = positionOfPlace(positionOfByte(document.bytes, plan.replaced.end, document.unit));
    return start && end && askIde(sci::setSelection, static_cast<WPARAM>(*start), *end) && askIde(WM_PASTE);
}

void bringIdeToFront() {
    const HWND mainWindow = ideLink().mainWindow;
    if (IsIconic(mainWindow) != FALSE) {
        ShowWindow(mainWindow, SW_RESTORE);
    }
    SetForegroundWindow(mainWindow);
}

}  // namespace

bool connectToIde() {
    IdeLink& link = ideLink();
    link = IdeLink{windowFromVariable(L"PB_TOOL_MainWindow"), windowFromVariable(L"PB_TOOL_Scintilla"),
                   std::nullopt};
    if (link.mainWindow == nullptr || link.editor == nullptr || !ideEditorIsLive(link)) {
        link = IdeLink{};
        return false;
    }
    return true;
}

bool ideConnected() {
    return ideLink().editor != nullptr;
}

IdeSelection readIdeSelection() {
    const std::optional<std::string> variable = environmentVariable(L"PB_TOOL_Selection");
    const std::optional<TextSelection> selection = variable ? parseToolSelection(*variable) : std::nullopt;
    const std::optional<IdeDocument> document = selection ? readIdeDocument() : std::nullopt;
    const std::optional<ByteRange> range =
        document ? findSelectedBytes(document->bytes, *selection, document->unit) : std::nullopt;
    if (!range || range->start == range->end) {
        return IdeSelection{};
    }
    const LiteralDecoder decoder = document->utf8 ? nullptr : utf8FromAnsiCodePage;
    SelectionReading reading = readSelection(document->bytes, *range, decoder);
    if (!reading.call) {
        return IdeSelection{std::nullopt, reading.unread};
    }
    ideLink().opened = OpenedCall{*selection, linesText(*document, *range)};
    return IdeSelection{std::move(reading.call), std::nullopt};
}

// The IDE's own paste, so that its undo applies. A clipboard manager that
// still holds the clipboard after the copy would make that paste find
// nothing, so the wizard waits for it first.
InsertOutcome insertIntoIde(const ComposedCall& composed, HWND owner) {
    IdeLink& link = ideLink();
    const std::optional<IdeDocument> document = ideEditorIsLive(link) ? readIdeDocument() : std::nullopt;
    if (!document) {
        return InsertOutcome::editorGone;
    }
    const std::optional<ByteRange> place =
        link.opened ? openedCallPlace(*link.opened, *document) : currentSelection(*document);
    if (!place) {
        return link.opened ? InsertOutcome::openedCallChanged : InsertOutcome::editorGone;
    }
    const InsertPlan plan = planInsert(
        InsertRequest{document->bytes, *place, link.opened.has_value(), !document->utf8, ideLineEnd()}, composed);
    if (setClipboardText(owner, plan.text.c_str()) == nullptr) {
        return InsertOutcome::clipboardRefused;
    }
    waitForFreeClipboard(owner);
    if (!pastePlan(*document, plan)) {
        return InsertOutcome::editorGone;
    }
    if (link.opened) {
        const std::optional<IdeDocument> after = readIdeDocument();
        if (after) {
            rememberOpenedCall(*after, ByteRange{plan.replaced.start, plan.replaced.start + plan.text.size()});
        }
    }
    bringIdeToFront();
    return InsertOutcome::inserted;
}
