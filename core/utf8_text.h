// Checking the editor's bytes as UTF-8 and keeping every byte of a text that
// is not: the program's texts are UTF-8 from the moment they are read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length of text's longest prefix that is well-formed UTF-8: shortest
// forms only, no surrogate code points, nothing above U+10FFFF, no sequence
// cut short.
std::size_t validUtf8Length(std::string_view text);

// text as well-formed UTF-8: its well-formed sequences unchanged, and each
// byte that belongs to none taken as its Windows-1251 character (a byte that
// code page leaves undefined as the control character of its value), so that
// nothing is dropped.
std::string utf8WithWindows1251Fallback(std::string_view text);

// Single-byte Windows-1251 text as UTF-8, byte by byte.
std::string utf8FromWindows1251(std::string_view text);
