// The text work of the editor-library search, kept free of platform calls.
// Texts are bytes: only the ASCII blank, double quote, separators, colon,
// dot and drive letters are looked at, so any ASCII-compatible encoding of
// the paths (a code page or UTF-8) is read the same way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The library's place below a program folder or the PureBasic folder.
inline constexpr std::string_view editorLibraryRelativePath = "Compilers\\Scintilla.dll";

// Answers whether path names an existing file.
using FileExists = bool (*)(const std::string& path);

// The folder part of a file name with its trailing separator ("\" or "/"),
// without a leading double quote; only the text before the first "|" is
// scanned. "" when there is no separator.
std::string pathPart(std::string_view fileName);

// The text in a buffer that the platform filled: it ends at the size the
// platform answered or at the first NUL, whichever comes first, so registry
// data stored without its NUL reads the same as data stored with it.
std::string textBeforeNul(const char* data, std::size_t size);

// The program a registered open command runs, found the way Windows reads a
// command line: leading blanks are skipped; a quoted command names the text
// inside its first pair of double quotes (to the end when the quote is never
// closed); an unquoted one names the first existing file among the text up to
// each blank in turn and then the whole text, each with ".exe" added when its
// file name has no extension. "" when no such file exists.
std::string programOfOpenCommand(std::string_view command, FileExists exists);

// The folder of the open command's program, up to and including its last
// separator ("\" or "/"); "" when there is none.
std::string folderFromOpenCommand(std::string_view command, FileExists exists);

// A drive letter with a colon and a separator, or a \\server\share path.
bool isAbsoluteFolder(std::string_view folder);

// The third candidate name: the folder, cut at its first double quote should
// it hold one and back to its last separator before any "|" (as pathPart
// does), followed by the library's
// relative place. "" when that folder is not absolute: the third attempt is
// then not made, since a relative name would be looked for in folders that
// other users can write to.
std::string editorLibraryPathInFolder(std::string_view folder);
