// The system's own code page for the clipboard's single-byte text, where
// Windows-1251 cannot hold a text whole.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

// The default ANSI code page of a locale; 0 when it has none of its own or
// cannot be read.
UINT localeAnsiCodePage(LCID locale);

// The system's ANSI code page where a text that Windows-1251 cannot hold is
// to be tried in it (core/single_byte_code_page.h): a single-byte code page
// that the user's locale has too.
std::optional<UINT> systemCodePageToTry();

// Writes UTF-16 text in a single-byte code page, one byte for each unit, to
// out, which holds text.size() bytes. Answers false where a character has no
// byte of its own there: neither a nearest letter nor the default character
// stands in for it.
bool writeExactlyInCodePage(std::wstring_view text, UINT codePage, char* out);
