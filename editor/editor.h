// The message-text editor: a Scintilla control registered as a gadget, its
// fixed look, and the one way the program talks to it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "editor_line_views.h"
#include "gadgets.h"

// Scintilla's message numbers; its headers are not part of the build.
namespace sci {
inline constexpr UINT setViewWhitespace = 2021;
inline constexpr UINT setWhitespaceFore = 2084;
inline constexpr UINT setSelectionFore = 2067;
inline constexpr UINT setSelectionBack = 2068;
inline constexpr UINT setCaretFore = 2069;
inline constexpr UINT setCaretWidth = 2188;
inline constexpr UINT setMarginWidthN = 2242;
inline constexpr UINT getLineCount = 2154;
inline constexpr UINT getTextLength = 2183;
inline constexpr UINT setText = 2181;
inline constexpr UINT emptyUndoBuffer = 2175;
inline constexpr UINT getCharacterPointer = 2520;
inline constexpr UINT getCodePage = 2137;
inline constexpr UINT setCodePage = 2037;
// Asked of the PureBasic IDE's editor: all carry numbers only.
inline constexpr UINT getEolMode = 2030;
inline constexpr UINT getSelectionStart = 2143;
inline constexpr UINT getSelectionEnd = 2145;
inline constexpr UINT setSelection = 2160;
inline constexpr UINT lineFromPosition = 2166;
inline constexpr UINT positionFromLine = 2167;
inline constexpr UINT countCharacters = 2633;
inline constexpr UINT positionRelative = 2670;

inline constexpr WPARAM whitespaceVisibleAlways = 1;
inline constexpr LRESULT utf8CodePage = 65001;
}  // namespace sci

namespace editorLook {
inline constexpr COLORREF whitespaceColour = RGB(0, 0, 0);
inline constexpr COLORREF selectionTextColour = RGB(255, 255, 255);
inline constexpr COLORREF selectionBackColour = RGB(15, 86, 204);
inline constexpr COLORREF caretColour = RGB(129, 2, 126);
inline constexpr WPARAM caretWidth = 2;
inline constexpr int marginCount = 3;
}  // namespace editorLook

// Creates the editor in the gadget container; null when the platform refuses.
HWND createEditor(int gadget, int x, int y, int width, int height, NotificationHandler handler);
int configureEditor(int gadget);
// The caret's width at a DPI, two pixels at 96. The text follows the DPI of
// the editor's own window by itself.
void scaleEditor(int gadget, UINT dpi);
// Answers 0 and sends nothing when the gadget has no control.
LRESULT sendEditorMessage(int gadget, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The editor's notifications are answered with 0 and have no other effect.
std::optional<LRESULT> editorNotification(WPARAM identifier, LPARAM notification) noexcept;

// The editor's text as lines without CR, LF or anything after a NUL, and the
// whole text they point into: bytes of its own when it had to be made, or
// else the editor's own buffer, valid until the editor's text changes.
struct EditorText {
    std::unique_ptr<char[]> bytes;
    std::string_view text;
    EditorLineViews lines;
};

// Reads the whole document in one pass, as UTF-8; a missing editor gives no
// lines. A document that is UTF-8 already is not copied: nothing may change
// the editor's text while the answer is in use.
EditorText readEditorLines();
// The same text in Windows-1251, for readers of single-byte text: each
// character the code page lacks as the platform converts it.
EditorText windows1251Lines(const EditorText& utf8);
bool editorIsEmpty();
