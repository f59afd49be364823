// The code page of the clipboard's single-byte text, which programs that read
// text as bytes take in the system's code page. It is Windows-1251, the bytes
// the program has always placed, wherever that code page holds every
// character of the text; a text it cannot hold may be held whole by the
// system's own code page.
#pragma once

#include <optional>

inline constexpr unsigned int windows1251CodePage = 1251;

// The code page to try a text in that Windows-1251 cannot hold whole, from the
// system's ANSI code page and the default ANSI code page of the user's locale;
// none where the text stays Windows-1251. Tried only where the two agree, so
// that the user's locale, placed beside the text, names the code page its
// readers take it in; and only in a single-byte code page other than
// Windows-1251, so that each character stays one byte: never UTF-8 (65001)
// nor the double-byte code pages of East Asia, whose second bytes include
// ASCII letters and the backslash.
std::optional<unsigned int> codePageToTry(unsigned int systemCodePage, unsigned int userLocaleCodePage);
