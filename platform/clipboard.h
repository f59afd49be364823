// Plain-text output to the platform clipboard.
#pragma once

#include <windows.h>

// Empties the clipboard. Answers nonzero on success, 0 when the clipboard
// cannot be opened or emptied.
int clearClipboard();

// Replaces the clipboard's content with text (null counts as empty), as
// CF_TEXT in the platform's ANSI code page, tagged with a locale of that code
// page so that Unicode readers convert it correctly. Answers the CF_TEXT data
// handle, or nullptr on any failure; a clipboard that cannot be opened keeps
// its content.
HANDLE setClipboardText(const char* text);
