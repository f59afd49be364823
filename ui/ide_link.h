// The PureBasic IDE that started the wizard as a tool: its main window and
// the editor of its current source, named in the tool's environment, and the
// two things the wizard does with them: read the selected call at start-up
// and paste the generated call in place of the selection.
#pragma once

#include <windows.h>

#include <optional>

#include "call_reader.h"

// The IDE's windows as the environment names them.
struct IdeEditor {
    HWND mainWindow = nullptr;
    HWND editor = nullptr;
};

// The IDE's editor when the environment names a live, visible Scintilla
// window in the process of the IDE's main window; nothing otherwise, also
// when the wizard was started on its own.
std::optional<IdeEditor> findIdeEditor();
// The same test again, for the windows found at start-up: the IDE may have
// ended or its editor closed since.
bool ideEditorIsLive(const IdeEditor& ide);
// The call selected in the IDE's editor at start-up, when the selection is
// exactly one call the wizard can show.
std::optional<ReadCall> readSelectedCall(const IdeEditor& ide);
// Has the IDE paste the clipboard into its editor, replacing its selection,
// and brings the IDE to the front. Answers false when the editor is gone.
bool pasteIntoIde(const IdeEditor& ide, HWND owner);
