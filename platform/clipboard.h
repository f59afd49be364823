// Plain-text output to the platform clipboard.
#pragma once

#include <windows.h>

#include <cstddef>

// A clipboard text in the making: a movable global block of the text's length
// and one NUL, locked while the text is written into it. The NUL is in place.
struct ClipboardTextBlock {
    HGLOBAL memory = nullptr;
    char* bytes = nullptr;
};

// Allocates the block for length bytes of text; memory is null when there is
// no memory for it. Nothing on the clipboard changes.
ClipboardTextBlock allocateClipboardText(std::size_t length) noexcept;

// The clipboard is opened for owner, the program's main window: Windows
// documents that SetClipboardData fails after EmptyClipboard when the
// clipboard was opened for no window.
//
// Makes the filled block the clipboard's text, as CF_TEXT in Windows-1251 on
// every system, tagged with a locale of that code page so that Unicode readers
// convert it correctly. The clipboard is opened only now, waiting a
// short bounded time while another program holds it; it is emptied only once
// it is open, and closed again before this returns. Answers the CF_TEXT data
// handle, or nullptr with the block freed: a clipboard that stayed busy keeps
// its former content; one that refuses the block once emptied stays empty.
HANDLE placeClipboardText(HWND owner, ClipboardTextBlock block) noexcept;

// Empties the clipboard. Answers nonzero on success, 0 when the clipboard
// cannot be opened (after the same short wait) or emptied.
int clearClipboard(HWND owner) noexcept;

// Replaces the clipboard's content with text (null counts as empty) as
// placeClipboardText does; a text that finds no memory changes nothing.
HANDLE setClipboardText(HWND owner, const char* text) noexcept;
