// The text work of the editor-library search, kept free of platform calls.
// Texts are bytes: only ASCII characters are looked at (blanks, tabs, double
// quotes, separators, dots, drive letters and the characters Windows forbids
// in names), so any ASCII-compatible encoding of the paths (a code page or
// UTF-8) is read the same way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The library's file, and its place below a program folder or the PureBasic
// folder.
inline constexpr std::string_view editorLibraryFileName = "Scintilla.dll";
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
// command line: leading blanks and tabs are skipped; a quoted command names
// the text inside its first pair of double quotes (to the end when the quote
// is never closed) when that file exists; an unquoted one names the first
// existing file among the text up to each blank or tab in turn and then the
// whole text. Each name is tried with ".exe" added when its file name has no
// extension. "" when no such file exists.
std::string programOfOpenCommand(std::string_view command, FileExists exists);

// The folder of the open command's program, up to and including its last
// separator ("\" or "/"); "" when there is none.
std::string folderFromOpenCommand(std::string_view command, FileExists exists);

// A drive letter with a colon and a separator, or a \\server\share path.
bool isAbsoluteFolder(std::string_view folder);

// A folder that may hold the PureBasic installation's library: a drive or
// share root ("X:\" or "\\server\share\") followed by one or more names,
// each ended by a separator. A name is not empty, not made of dots and blanks
// alone (Windows reads "." and ".." as this folder and the one above and
// drops trailing dots and blanks, so such a name may lead back to the root),
// and holds no control character and none of " | < > * ? : (which no Windows
// name holds); the server and share names follow the same rule, so "\\?\"
// and "\\.\" paths are no such folder. A root itself is none: anyone signed
// in may create a folder there.
bool isFolderBelowRoot(std::string_view folder);

// The file name in that folder, or "" when the folder is not absolute, so
// that a file is never named for the platform's search.
std::string libraryPathInFolder(std::string_view folder, std::string_view fileName);

// The third candidate name: the folder followed by the library's relative
// place, or "" when the folder is no folder below a root (isFolderBelowRoot):
// the third attempt is then not made.
std::string editorLibraryPathInFolder(std::string_view folder);
