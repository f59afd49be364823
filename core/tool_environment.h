// The variables that the PureBasic IDE sets for a tool it starts, read as
// plain texts, and the selection they name found in the editor's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// A place in the IDE's editor: both counted from 1; the column is 1 + the
// number of characters (code points) between the line's start and the place.
struct TextPosition {
    std::size_t line = 0;
    std::size_t column = 0;
};

// The IDE gives the start first; the end is exclusive, and without a
// selection both are the caret.
struct TextSelection {
    TextPosition start;
    TextPosition end;
};

// Byte offsets into a text, end exclusive.
struct ByteRange {
    std::size_t start = 0;
    std::size_t end = 0;
};

// A window handle written as a decimal number (PB_TOOL_MainWindow,
// PB_TOOL_Scintilla): digits only, no sign or blank, at most 64 bits, not 0.
std::optional<std::uint64_t> parseWindowHandle(std::string_view text);

// PB_TOOL_Cursor: "LINExCOLUMN".
std::optional<TextPosition> parseToolCursor(std::string_view text);

// PB_TOOL_Selection: "LINESTARTxCOLUMNSTARTxLINEENDxCOLUMNEND".
// Every number is decimal digits only and at least 1.
std::optional<TextSelection> parseToolSelection(std::string_view text);

// The bytes of document (UTF-8) that selection covers, or nothing when a
// place lies outside the text (a line beyond the last, a column beyond its
// line's end) or the end comes before the start. Lines end at CR LF, lone CR
// or lone LF, as in the editor.
std::optional<ByteRange> findSelectedBytes(std::string_view document, const TextSelection& selection);
