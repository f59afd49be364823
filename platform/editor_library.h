// Finds and loads the editor component's library (Scintilla.dll): by the
// platform's library search, then in "Compilers" beside the program, then in
// "Compilers" of the PureBasic installation named by its registered open
// command. Names are UTF-8 here and UTF-16 for the platform, so that folders
// with letters outside the system's code page are found.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Loads the library of that UTF-8 file name.
using EditorLibraryLoader = HMODULE (*)(const char* name);

// Tries the three places in order and answers the first module that the
// loader accepts, or nullptr. A later candidate name is computed only when
// the earlier ones failed, so the registry is read only when the first two
// did not load; the third place is not tried when the registry names no
// absolute folder.
HMODULE locateEditorLibrary();
HMODULE locateEditorLibrary(EditorLibraryLoader load);

// LoadLibraryW(name) when the loaded library registers the "Scintilla" window
// class; a library without it is freed again and answered as nullptr.
HMODULE loadEditorLibrary(const char* name);

// The folder of the running program's file with its trailing backslash, or
// "" when its name holds no separator.
std::string programFolder();

// The PureBasic installation folder with its trailing separator, or "" when
// the registry gives nothing or its open command names no existing program.
// The platform version word chooses the key; the second form takes it as
// given.
std::string queryPureBasicFolder();
std::string queryPureBasicFolder(std::uint32_t versionWord);

// The third candidate name; "" when the registry gives no absolute folder.
std::string pureBasicEditorLibraryPath();
