// The program keeps its texts in UTF-8 (platform/utf8.h); Windows-1251 is the
// code page of the clipboard's single-byte text unless only the system's own
// code page holds every character of it. These conversions name the code page
// itself, never the system's, so that the text is the same whatever the
// system's language for non-Unicode programs is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// One UTF-16 unit for each byte.
std::wstring wideFromWindows1251(std::string_view text);

// One byte for each UTF-16 unit, written to out (which holds text.size()
// bytes); answers the bytes written. A character that the code page lacks
// becomes its best fit or "?", exactly as the platform's single-byte calls
// give it on a Windows-1251 system.
std::size_t writeWindows1251(std::wstring_view text, char* out);
std::string windows1251FromWide(std::wstring_view text);

// UTF-8 text in Windows-1251, through its UTF-16 form, as windows1251FromWide
// gives it.
std::string windows1251FromUtf8(std::string_view text);
