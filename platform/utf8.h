// Every text of the program is UTF-8 inside: the user's title and message,
// file and folder names. The platform takes and gives texts as UTF-16; these
// conversions are the one way across, and name UTF-8 itself, never the
// system's code page, which may lack the user's letters; only a PureBasic
// source kept in single bytes is read as that code page shows it (below).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Each answers "" for a text it cannot convert, and for one of INT_MAX units
// or more. A NUL inside the text is converted like any other character.
// Malformed UTF-8 gives U+FFFD in place of each malformed sequence; a
// surrogate without its partner (as an input method may leave in a field)
// gives U+FFFD too.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

// The UTF-16 length of text, and the conversion written to out, which holds
// that many units; for texts too large to hold in memory twice over, such as
// the clipboard's, which is written in place. The writing answers whether out
// holds the whole text: not where units is not the text's length, nor for a
// text of INT_MAX bytes or units or more, which the platform's converter
// cannot take in one go.
std::size_t wideLengthOfUtf8(std::string_view text);
[[nodiscard]] bool writeWideFromUtf8(std::string_view text, wchar_t* out, std::size_t units);

// The two conversions through another code page that the PureBasic IDE's
// sources need: a source without a byte-order mark keeps single bytes, which
// its editor hands out through Windows-1252 but shows in the system's ANSI
// code page. The first gives every byte back as it was; the second reads
// bytes as that code page shows them.
std::string windows1252FromWide(std::wstring_view text);
std::string utf8FromAnsiCodePage(std::string_view bytes);
