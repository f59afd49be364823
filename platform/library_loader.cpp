// In a file of its own: the end-to-end tests link a program whose loader
// stands for Windows 7 without its loader update in this one's place.
#include "library_search.h"

LibraryLoader systemLibraryLoader() {
    LibraryLoader loader;
    loader.setDefaultDllDirectories = libraryFunction<decltype(loader.setDefaultDllDirectories)>(
        GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    loader.loadLibraryEx = LoadLibraryExW;
    return loader;
}
