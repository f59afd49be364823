// Converting UTF-8 to Windows-1251 by table where the byte of each character
// is certain, so that only the rest needs the platform's converter.
#pragma once

#include <cstddef>
#include <string_view>

struct ConvertedPrefix {
    std::size_t read = 0;
    std::size_t written = 0;
};

// Converts utf8 from its start up to its first byte sequence that is not a
// character of Windows-1251 written the shortest way, one byte each into out
// (which holds at least utf8.size() bytes). Answers how much was read and
// written.
ConvertedPrefix convertMappedPrefix(std::string_view utf8, char* out);

// The length of utf8 from its start up to its next character that
// convertMappedPrefix converts, stepping by whole sequences as their lead bytes
// tell; utf8.size() when there is none.
std::size_t unmappedRunLength(std::string_view utf8);
