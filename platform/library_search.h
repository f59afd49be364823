// Where the program's libraries are loaded from: a library named without a
// folder is looked for only in the program's own folder and the system
// folders, and system libraries are named by their full path.
#pragma once

#include <windows.h>

// Takes the current folder and PATH, places other users can write to, out of
// the search for libraries named without a folder, for the whole process.
// Called at start-up before any library is loaded.
void restrictLibrarySearch();

// Loads the library of that file name (UTF-8) from the system folder, whose
// name is taken as UTF-16; nullptr when it cannot be loaded.
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
