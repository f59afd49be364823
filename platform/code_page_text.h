// The two conversions through a code page other than UTF-8 that the PureBasic
// IDE's sources need: a source without a byte-order mark keeps single bytes,
// which its editor hands out and takes in through Windows-1252 but shows in
// the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

// The single-byte text that Windows-1252 made the UTF-16 text from: every
// byte value comes back as it was.
std::string windows1252FromWide(std::wstring_view text);

// Bytes read as the system's ANSI code page shows them, as UTF-8.
std::string utf8FromAnsiCodePage(std::string_view bytes);
