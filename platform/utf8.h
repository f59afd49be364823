// File and folder names are UTF-8 inside the program, so that the path rules
// work on bytes and every letter survives; the platform takes and gives them
// as UTF-16. These conversions name UTF-8 itself, never the system's code
// page, which may lack the letters of a user's folder.
#pragma once

#include <string>
#include <string_view>

// Each answers "" for a text it cannot convert, and for one of INT_MAX units
// or more (names and registry values are far shorter). A NUL inside the text
// is converted like any other character.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);
