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

// The folder cut out of a registered open command of the shape
// "<program path>" "%1": n - 7 characters are kept, from the second one when
// the command begins with a double quote, else from the first; then the
// folder part is taken. Seven characters or fewer give "".
std::string folderFromOpenCommand(std::string_view command);

// The third candidate name: the folder (which may still carry the rest of a
// command of another shape, cut at its first double quote) followed by the
// library's relative place.
std::string editorLibraryPathInFolder(std::string_view folder);
