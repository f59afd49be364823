#include "library_search.h"

#include "utf8.h"

#include <string>

namespace {

constexpr UINT systemFolderCapacity = MAX_PATH;

}  // namespace

// SetDefaultDllDirectories is taken at run time: Windows 7 has it only with
// its loader update. Without it, SetDllDirectoryA("") still takes the
// current folder out of the search.
void restrictLibrarySearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = libraryFunction<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories != nullptr && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS) != FALSE) {
        return;
    }
    SetDllDirectoryA("");
}

HMODULE loadSystemLibrary(const char* fileName) {
    const std::wstring name = wideFromUtf8(fileName);
    // Room for the folder, a separator and the name, the rest NUL: filled in
    // place, which keeps the program smaller than appending would.
    std::wstring path(systemFolderCapacity + 1 + name.size(), L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), systemFolderCapacity);
    if (length == 0 || length >= systemFolderCapacity) {
        return nullptr;
    }
    path[length] = L'\\';
    name.copy(path.data() + length + 1, name.size());
    return LoadLibraryW(path.c_str());
}
