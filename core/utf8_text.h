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

// Appends a code point as UTF-8: one below U+110000 that is no surrogate.
void appendUtf8(std::string& out, char32_t codePoint);

// The character that a well-formed sequence at the start of text encodes and
// the sequence's length; length 0 where none starts there.
struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
Utf8Character leadingUtf8Character(std::string_view text);

// Single-byte Windows-1251 text as UTF-8, byte by byte.
std::string utf8FromWindows1251(std::string_view text);

// The characters of well-formed UTF-8 text, and how many of them lie beyond
// the 16-bit range: the text's length in UTF-16 units is their sum, and in a
// single-byte code page that holds every character, the first.
struct Utf8Counts {
    std::size_t characters = 0;
    std::size_t supplementary = 0;
};
Utf8Counts countUtf8(std::string_view text);
