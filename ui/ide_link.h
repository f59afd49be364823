// The PureBasic IDE that started the wizard as a tool: its main window and
// the editor of its current source, named in the tool's environment. The
// wizard reads the call selected there at start-up and later puts the
// composed call into that source, asking the editor only what messages that
// carry numbers (or text that Windows itself carries) can ask.
#pragma once

#include <windows.h>

#include <optional>

#include "call_reader.h"
#include "insert_plan.h"

// Finds the IDE's editor: a live, visible Scintilla window in the process of
// the IDE's main window, as the environment names them. False when the
// wizard was started on its own or the IDE has no source open.
bool connectToIde();
bool ideConnected();

// What the IDE's selection gives the window at start-up: the call it holds,
// or why it did not open; neither without a selection.
struct IdeSelection {
    std::optional<ReadCall> call;
    std::optional<UnreadSelection> unread;
};
// Reads the selection the IDE named and remembers where an opened call
// stands, to replace it later.
IdeSelection readIdeSelection();

enum class InsertOutcome {
    inserted,
    editorGone,      // closed, hidden or not answering
    openedCallChanged,  // nothing replaced
    clipboardRefused,
};

// Puts the composed call into the IDE's source as the insert plan says,
// through the clipboard and the IDE's own paste and undo, and brings the IDE
// to the front. The opened call is replaced only where its lines still hold
// exactly what was read; afterwards the call written there is the opened one.
InsertOutcome insertIntoIde(const ComposedCall& composed, HWND owner);
