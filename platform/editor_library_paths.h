// The text work of the editor-library search, kept free of platform calls.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The library's place below a program folder or the PureBasic folder.
inline constexpr std::string_view editorLibraryRelativePath = "Compilers\\Scintilla.dll";

// The folder part of a file name with its trailing separator ("\" or "/"),
// without a leading double quote; only the text before the first "|" is
// scanned. "" when there is no separator.
std::string pathPart(std::string_view fileName);

// The text in a buffer that the platform filled: it ends at the size the
// platform answered or at the first NUL, whichever comes first, so registry
// data stored without its NUL reads the same as data stored with it.
std::string textBeforeNul(const char* data, std::size_t size);

// The folder of a registered open command's program path, up to and
// including its last backslash; "" when the path holds none. The path is the
// text inside the first pair of double quotes when the command begins with
// one (to the end when the quote is never closed), else the text up to the
// first blank, or all of it.
std::string folderFromOpenCommand(std::string_view command);

// The third candidate name: the folder (cut at its first double quote, should
// it hold one) followed by the library's relative place.
std::string editorLibraryPathInFolder(std::string_view folder);
