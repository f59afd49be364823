#include "actions.h"

#include <windows.h>

#include "clipboard.h"
#include "editor.h"
#include "ide_link.h"
#include "interface_language.h"
#include "interface_texts.h"
#include "library_search.h"
#include "main_window.h"
#include "message_box.h"
#include "preview_text.h"
#include "source_generator.h"
#include "utf8.h"
#include "utf8_text.h"
#include "windows1251_prefix.h"
#include "windows1251.h"

namespace {

// CoInitializeEx's COINIT_APARTMENTTHREADED and COINIT_DISABLE_OLE1DDE, named
// here: their header's "byte" type would clash with the program's names.
constexpr DWORD apartmentThreaded = 0x2;
constexpr DWORD withoutOle1Dde = 0x4;

// The single-byte text composed from the title and lines in Windows-1251, as
// it always was: a character that the code page lacks and converts into a
// double quote is then escaped like one. Memory null when there is no memory
// for it: it is made after the UTF-16 block, which an escaping exception
// would leave unfreed.
ClipboardTextBlock composedWindows1251Call(const MessageBoxSpec& derived, const std::string& title,
                                           const EditorText& document, bool documentIsEmpty) noexcept {
    try {
        const std::string ansiTitle = windows1251FromUtf8(title);
        const EditorText ansiDocument = documentIsEmpty ? EditorText{} : windows1251Lines(document);
        const std::size_t length = generatedCallSize(derived, ansiTitle, ansiDocument.lines, documentIsEmpty);
        const ClipboardTextBlock block = allocateClipboardText(length);
        if (block.memory != nullptr) {
            writeGeneratedCall(block.bytes, derived, ansiTitle, ansiDocument.lines, documentIsEmpty);
        }
        return block;
    } catch (...) {
        return ClipboardTextBlock{};
    }
}

// The call in Windows-1251 where that code page holds every character of it,
// converted by table: each character is then one byte. Memory null where the
// code page lacks a character.
ClipboardTextBlock tableConvertedCall(std::string_view call, std::size_t characters) {
    const ClipboardTextBlock block = allocateClipboardText(characters);
    if (block.memory != nullptr && convertMappedPrefix(call, block.bytes).read == call.size()) {
        return block;
    }
    discardClipboardText(block);
    return ClipboardTextBlock{};
}

// What the window composes, read afresh for an action; the lines point into
// the document.
struct WindowComposition {
    MessageBoxOptions options;
    MessageBoxSpec derived;
    bool documentIsEmpty = false;
    EditorText document;
};

WindowComposition readComposition() {
    WindowComposition composed;
    composed.options = readOptions();
    composed.derived = deriveSpec(composed.options);
    composed.documentIsEmpty = editorIsEmpty();
    if (!composed.documentIsEmpty) {
        composed.document = readEditorLines();
    }
    return composed;
}

// Generates the source and fills the clipboard's blocks before the clipboard
// is opened. The single-byte text is Windows-1251 where it holds every
// character, as it always was; else the system's own code page where that
// holds them all; else Windows-1251 as the platform converts what it lacks.
// Answers false when the source did not reach the clipboard: no memory, a
// text too long to write whole, or a clipboard that stayed busy or could not
// be emptied (both keep its former content) or refused a block.
bool copyGeneratedSource(const WindowComposition& composed) {
    const MessageBoxSpec& derived = composed.derived;
    const std::string& title = composed.options.title;
    const EditorText& document = composed.document;
    const bool documentIsEmpty = composed.documentIsEmpty;
    const std::string call = generateCall(derived, title, document.lines, documentIsEmpty);
    const Utf8Counts counts = countUtf8(call);
    const std::size_t units = counts.characters + counts.supplementary;
    ClipboardTextBlock text = tableConvertedCall(call, counts.characters);
    const HGLOBAL unicode = allocateUnicodeClipboardText(call, units);
    if (text.memory == nullptr && unicode != nullptr) {
        text = allocateClipboardTextInSystemCodePage(unicode, units);
        if (text.memory == nullptr) {
            text = composedWindows1251Call(derived, title, document, documentIsEmpty);
        }
    }
    return placeClipboardText(mainWindowHandle(), text, unicode) != nullptr;
}

// Initialises COM on this thread as the shell's documentation asks: a
// single-threaded apartment without OLE 1 DDE. Once; it stays initialised
// until the process ends.
void initialiseComForTheShell() {
    static bool tried = false;
    if (tried) {
        return;
    }
    tried = true;
    using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    const auto coInitializeEx =
        libraryFunction<CoInitializeExFunction>(loadSystemLibrary("ole32.dll"), "CoInitializeEx");
    if (coInitializeEx != nullptr) {
        coInitializeEx(nullptr, apartmentThreaded | withoutOle1Dde);
    }
}

// A copy that did not reach the clipboard says so with the error sound rather
// than a window, so that the user does not paste stale text unawares. The
// window is read here unless the caller has read it already.
bool copyOrSoundTheError(const WindowComposition* composed) noexcept {
    bool copied = false;
    try {
        copied = composed != nullptr ? copyGeneratedSource(*composed) : copyGeneratedSource(readComposition());
    } catch (...) {
        copied = false;
    }
    if (!copied) {
        MessageBeep(MB_ICONERROR);
    }
    return copied;
}

}  // namespace

void runTestAction() {
    const MessageBoxOptions options = readOptions();
    const MessageBoxSpec derived = deriveSpec(options);
    const std::string text = buildPreviewText(readEditorLines().lines);
    showMessageBox(options.title.c_str(), text.c_str(), derived.flagsValue);
}

void runCopyAction() noexcept {
    copyOrSoundTheError(nullptr);
}

void runInsertAction() {
    if (!ideConnected()) {
        return;
    }
    const WindowComposition composed = readComposition();
    const InsertOutcome outcome = insertIntoIde(
        ComposedCall{composed.derived, composed.options.title, composed.document.lines, composed.documentIsEmpty},
        mainWindowHandle());
    if (outcome == InsertOutcome::inserted) {
        return;
    }
    if (outcome == InsertOutcome::clipboardRefused) {
        MessageBeep(MB_ICONERROR);
        return;
    }
    if (!copyOrSoundTheError(&composed)) {
        return;
    }
    const InterfaceTexts& texts = interfaceTextsInUse();
    const std::string_view text =
        outcome == InsertOutcome::openedCallChanged ? texts.insertChangedText : texts.insertFailedText;
    showMessageBox(std::string(texts.insertFailedCaption).c_str(), std::string(text).c_str(), MB_ICONWARNING | MB_OK);
}

// The shell's libraries are loaded at the first click on the link rather
// than with the program: loading them and what they need is a good part of a
// start.
void openAuthorsWebPage() {
    initialiseComForTheShell();
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const auto shellExecute =
        libraryFunction<ShellExecuteFunction>(loadSystemLibrary("shell32.dll"), "ShellExecuteW");
    if (shellExecute != nullptr) {
        shellExecute(mainWindowHandle(), L"open", wideFromUtf8(authorsWebPage).c_str(), nullptr, nullptr,
                     SW_SHOWNORMAL);
    }
}
