#include "library_search.h"

#include "editor_library_paths.h"
#include "utf8.h"

namespace {

constexpr UINT systemFolderCapacity = MAX_PATH;
constexpr DWORD dependenciesBesideAndInSystemFolder = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
constexpr DWORD plainLoad = 0;

}  // namespace

void restrictLibrarySearch() {
    restrictLibrarySearch(systemLibraryLoader());
}

void restrictLibrarySearch(const LibraryLoader& loader) {
    if (loader.setDefaultDllDirectories != nullptr &&
        loader.setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS) != FALSE) {
        return;
    }
    SetDllDirectoryA("");
}

HMODULE loadLibraryAtPath(const std::string& path) {
    return loadLibraryAtPath(path, systemLibraryLoader());
}

HMODULE loadLibraryAtPath(const std::string& path, const LibraryLoader& loader) {
    // A name without a drive or share would be searched for.
    if (!isAbsoluteFolder(path)) {
        return nullptr;
    }
    const std::wstring widePath = wideFromUtf8(path);
    HMODULE library = loader.loadLibraryEx(widePath.c_str(), nullptr, dependenciesBesideAndInSystemFolder);
    if (library == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Windows 7 without its loader update knows no such flags; the library
        // itself is still named by its full path.
        library = loader.loadLibraryEx(widePath.c_str(), nullptr, plainLoad);
    }
    return library;
}

std::string systemFolder() {
    std::wstring folder(systemFolderCapacity, L'\0');
    const UINT length = GetSystemDirectoryW(folder.data(), systemFolderCapacity);
    if (length == 0 || length >= systemFolderCapacity) {
        return std::string();
    }
    folder.resize(length);
    folder += L'\\';
    return utf8FromWide(folder);
}

HMODULE loadSystemLibrary(const char* fileName) {
    const std::string folder = systemFolder();
    if (folder.empty()) {
        return nullptr;
    }
    return loadLibraryAtPath(folder + fileName);
}
