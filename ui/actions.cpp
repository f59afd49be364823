#include "actions.h"

#include <windows.h>

#include <shellapi.h>

#include "clipboard.h"
#include "editor.h"
#include "main_window.h"
#include "message_box.h"
#include "preview_text.h"
#include "source_generator.h"

void runTestAction() {
    const MessageBoxOptions options = readOptions();
    const MessageBoxSpec derived = deriveSpec(options);
    const EditorLines lines = readEditorLines();
    const std::string text = buildPreviewText(lines);
    showMessageBox(options.title.c_str(), text.c_str(), derived.flagsValue);
}

void runCopyAction() {
    const MessageBoxOptions options = readOptions();
    const MessageBoxSpec derived = deriveSpec(options);
    const bool documentIsEmpty = editorIsEmpty();
    const EditorLines lines = documentIsEmpty ? EditorLines{} : readEditorLines();
    const std::string text = generateCall(derived, options.title, lines, documentIsEmpty);
    clearClipboard();
    setClipboardText(text.c_str());
}

void openAuthorsWebPage() {
    ShellExecuteA(mainWindowHandle(), "open", authorsWebPage, nullptr, nullptr, SW_SHOWNORMAL);
}
