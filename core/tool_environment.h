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

// How the IDE counts a column: a character of a UTF-8 document, a byte of any
// other.
enum class ColumnUnit { utf8Character, byte };

// A window handle written as a decimal number (PB_TOOL_MainWindow,
// PB_TOOL_Scintilla), as the IDE writes it: signed, so that a handle with bit
// 31 set may come negative. Windows keeps only a handle's low 32 bits, which
// this answers; nothing for anything but digits after an optional "-", a
// number beyond 64 bits, or a handle whose low 32 bits are 0.
std::optional<std::uint32_t> parseWindowHandle(std::string_view text);

// PB_TOOL_Cursor: "LINExCOLUMN".
std::optional<TextPosition> parseToolCursor(std::string_view text);

// PB_TOOL_Selection: "LINESTARTxCOLUMNSTARTxLINEENDxCOLUMNEND".
// Every number is decimal digits only and at least 1.
std::optional<TextSelection> parseToolSelection(std::string_view text);

// The bytes of document that selection covers, or nothing when a place lies
// outside the text (a line beyond the last, a column beyond its line's end)
// or the end comes before the start. Lines end at CR LF, lone CR or lone LF,
// as in the editor.
std::optional<ByteRange> findSelectedBytes(std::string_view document, const TextSelection& selection,
                                           ColumnUnit unit = ColumnUnit::utf8Character);

// The line and column of a byte offset of document, counted as the IDE counts.
TextPosition positionOfByte(std::string_view document, std::size_t offset, ColumnUnit unit);

// The whole lines that range lies on: from the start of its first line to the
// end of its last line's text, or to the range's end where a range that is
// not empty ends at the start of a line (a selection of whole lines).
ByteRange linesAround(std::string_view document, ByteRange range);
