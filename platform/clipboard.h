// Plain-text output to the platform clipboard.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "single_byte_code_page.h"

// A clipboard text in the making: a movable global block of the text's length
// and one NUL, locked while the text is written into it. The NUL is in place.
// The text's single-byte code page says which locale is placed beside it.
struct ClipboardTextBlock {
    HGLOBAL memory = nullptr;
    char* bytes = nullptr;
    UINT codePage = windows1251CodePage;
};

// Allocates the block for length bytes of text; memory is null when there is
// no memory for it. Nothing on the clipboard changes.
ClipboardTextBlock allocateClipboardText(std::size_t length) noexcept;

// Frees a block that is not to be placed after all.
void discardClipboardText(ClipboardTextBlock block) noexcept;

// The UTF-16 form of a UTF-8 text with its NUL in a movable block, unlocked;
// null when there is no memory for it. Nothing on the clipboard changes. A
// caller that knows the text's length in UTF-16 units passes it.
// Null too when the form cannot be written whole, as a text of INT_MAX units
// or more cannot.
HGLOBAL allocateUnicodeClipboardText(std::string_view utf8) noexcept;
HGLOBAL allocateUnicodeClipboardText(std::string_view utf8, std::size_t units) noexcept;

// For a text that Windows-1251 cannot hold whole: the text in the system's own
// code page (systemCodePageToTry), from its filled UTF-16 block of that many
// units without the NUL, which stays as it was. Memory null where that code
// page is not to be tried or lacks a character, or there is no memory.
ClipboardTextBlock allocateClipboardTextInSystemCodePage(HGLOBAL unicode, std::size_t units) noexcept;

// The steps of a copy that can fail where a test cannot make them fail:
// emptying the opened clipboard, and writing a text's UTF-16 form, which
// cannot be written whole from INT_MAX units on. Tests replace them.
struct ClipboardFunctions {
    BOOL(WINAPI* emptyClipboard)() = nullptr;
    bool (*writeWide)(std::string_view utf8, wchar_t* out, std::size_t units) = nullptr;
};
ClipboardFunctions& clipboardFunctions();

// The clipboard is opened for owner, the program's main window: Windows
// documents that SetClipboardData fails after EmptyClipboard when the
// clipboard was opened for no window.
//
// Makes the filled blocks the clipboard's text: unicode as CF_UNICODETEXT,
// the text exactly; block as CF_TEXT in its code page, for readers of
// single-byte text; and CF_LOCALE, a locale of that code page. All three or
// none: a block that is missing frees the others and changes nothing. The
// clipboard is opened only now, waiting a short bounded time while another
// program holds it; it is emptied only once it is open, and closed again
// before this returns. Answers the CF_TEXT data handle, or nullptr with the
// blocks freed: a clipboard that stayed busy or could not be emptied keeps
// its former content; one that refuses a block once emptied is left empty.
HANDLE placeClipboardText(HWND owner, ClipboardTextBlock block, HGLOBAL unicode) noexcept;

// Waits, the same short time, until no other program holds the clipboard
// open, so that another program's paste that follows finds it free. Answers
// false when it stayed busy.
bool waitForFreeClipboard(HWND owner) noexcept;

// Empties the clipboard. Answers nonzero on success, 0 when the clipboard
// cannot be opened (after the same short wait) or emptied.
int clearClipboard(HWND owner) noexcept;

// Replaces the clipboard's content with the UTF-8 text (null counts as
// empty), in the three formats as placeClipboardText does, the single-byte
// text in Windows-1251 unless only the system's own code page holds it whole;
// a text that finds no memory changes nothing.
HANDLE setClipboardText(HWND owner, const char* text) noexcept;
