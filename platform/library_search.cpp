#include "library_search.h"

#include <string>

namespace {

constexpr UINT systemFolderCapacity = MAX_PATH;

}  // namespace

// SetDefaultDllDirectories is taken at run time: Windows 7 has it only with
// its loader update. Without it, SetDllDirectoryA("") still takes the
// current folder out of the search.
void restrictLibrarySearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories != nullptr && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS) != FALSE) {
        return;
    }
    SetDllDirectoryA("");
}

HMODULE loadSystemLibrary(const char* fileName) {
    std::string path(systemFolderCapacity, '\0');
    const UINT length = GetSystemDirectoryA(path.data(), systemFolderCapacity);
    if (length == 0 || length >= systemFolderCapacity) {
        return nullptr;
    }
    path.resize(length);
    path.append("\\").append(fileName);
    return LoadLibraryA(path.c_str());
}
