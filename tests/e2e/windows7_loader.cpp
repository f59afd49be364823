// The loader of Windows 7 without its loader update (KB2533623), in place of
// the running Windows' own (platform/library_loader.cpp): it has no
// SetDefaultDllDirectories, and its LoadLibraryExW refuses the
// LOAD_LIBRARY_SEARCH_ flags with ERROR_INVALID_PARAMETER. Linked into a copy
// of the program, so that the library search is seen where Windows 7 lacks
// the update.
#include "library_search.h"

namespace {

constexpr DWORD searchFlags = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_APPLICATION_DIR |
                              LOAD_LIBRARY_SEARCH_USER_DIRS | LOAD_LIBRARY_SEARCH_SYSTEM32 |
                              LOAD_LIBRARY_SEARCH_DEFAULT_DIRS;

HMODULE WINAPI loadLibraryExWithoutSearchFlags(LPCWSTR path, HANDLE reserved, DWORD flags) {
    if ((flags & searchFlags) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryExW(path, reserved, flags);
}

}  // namespace

LibraryLoader systemLibraryLoader() {
    LibraryLoader loader;
    loader.loadLibraryEx = loadLibraryExWithoutSearchFlags;
    return loader;
}
