// Finds and loads the editor component's library (Scintilla.dll), always by
// its full path: beside the program, in the Windows system folder, in
// "Compilers" beside the program, then in "Compilers" of the PureBasic
// installation named by its registered open command. Names are UTF-8 here and
// UTF-16 for the platform, so that folders with letters outside the system's
// code page are found.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "editor_library_paths.h"
#include "library_search.h"

// Loads the library of that UTF-8 full path.
using EditorLibraryLoader = HMODULE (*)(const char* path);

// Tries the four places in order and answers the first module that the
// loader accepts, or nullptr. The registry is read only when the first three
// did not load. A place whose folder is not known as an absolute one is not
// tried, so no name is ever left to the platform's search.
HMODULE locateEditorLibrary();
HMODULE locateEditorLibrary(EditorLibraryLoader load);

// The library of that full path (loadLibraryAtPath) when it registers the
// "Scintilla" window class; a library without it is freed again and answered
// as nullptr.
HMODULE loadEditorLibrary(const char* path);
HMODULE loadEditorLibrary(const char* path, const LibraryLoader& loader);

// The folder of the running program's file with its trailing backslash, or
// "" when its name holds no separator.
std::string programFolder();

// Whether path names an existing file, not a folder.
bool isExistingFile(const std::string& path);

// The PureBasic installation folder with its trailing separator, or "" when
// neither open command gives one that may hold the library
// (editorLibraryPathInFolder). The platform version word chooses the key read
// first; the other is read when the first gives no such folder. The command
// is read as REG_SZ, or as REG_EXPAND_SZ with the environment's values put in
// as Windows does when it runs it; a value of another type is no command.
std::string queryPureBasicFolder();
std::string queryPureBasicFolder(std::uint32_t versionWord, FileExists exists = isExistingFile);

// The fourth candidate name; "" when the registry gives no such folder.
std::string pureBasicEditorLibraryPath();
