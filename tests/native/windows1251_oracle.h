// The C library's converter as the oracle of the table conversion from UTF-8
// to Windows-1251, for the native tests and the fuzz target.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct Cp1251Prefix {
    std::size_t read = 0;
    std::string written;
};

// What iconv converts of utf8, character by character, from its start up to
// its first sequence that is invalid, incomplete or no character of
// Windows-1251.
Cp1251Prefix iconvCp1251Prefix(std::string_view utf8);

// Stepping from the start of utf8 by whole sequences, each as long as its
// lead byte claims, the position of the first character that iconv converts;
// utf8.size() when there is none.
std::size_t iconvUnconvertedRunLength(std::string_view utf8);
