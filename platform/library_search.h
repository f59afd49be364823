// Where the program's libraries are loaded from: every library is named by
// its full path, and the libraries it needs in turn are looked for beside it
// and in the system folder. Libraries named without a folder (those the
// program and the system load by name) are looked for only in the program's
// own folder and the system folders.
#pragma once

#include <windows.h>

#include <string>

// The loader's functions that Windows 7 has only with its loader update
// (KB2533623): SetDefaultDllDirectories, and the LOAD_LIBRARY_SEARCH_ flags of
// LoadLibraryExW, which it refuses without the update with
// ERROR_INVALID_PARAMETER. Tests hand in others in their place.
struct LibraryLoader {
    // nullptr where Windows lacks it.
    BOOL(WINAPI* setDefaultDllDirectories)(DWORD directories) = nullptr;
    HMODULE(WINAPI* loadLibraryEx)(LPCWSTR path, HANDLE reserved, DWORD flags) = nullptr;
};

// The running Windows' own functions.
LibraryLoader systemLibraryLoader();

// Takes the current folder and PATH, places other users can write to, out of
// the search for libraries named without a folder, for the whole process;
// where SetDefaultDllDirectories is missing, only the current folder. Called
// at start-up before any library is loaded.
void restrictLibrarySearch();
void restrictLibrarySearch(const LibraryLoader& loader);

// Loads the library of that full path (UTF-8), whose own dependencies are
// looked for in its folder and the system folder only; where the loader
// knows no such restriction, by the full path alone. nullptr when it cannot
// be loaded, and without a try for a name that does not begin with a drive
// or a share.
HMODULE loadLibraryAtPath(const std::string& path);
HMODULE loadLibraryAtPath(const std::string& path, const LibraryLoader& loader);

// The Windows system folder (UTF-8) with its trailing backslash; "" when it
// cannot be read.
std::string systemFolder();

// Loads the library of that file name (UTF-8) from the system folder, the
// folder's name taken as UTF-16; nullptr when it cannot be loaded.
HMODULE loadSystemLibrary(const char* fileName);

// A function of a loaded library taken at run time, for the functions that
// older Windows lacks; nullptr when the library is missing or lacks it.
template <typename Function>
Function libraryFunction(HMODULE library, const char* functionName) {
    if (library == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, functionName)));
}
