#include "editor_library.h"

#include "utf8.h"

#include <string_view>

namespace {

constexpr const wchar_t* editorWindowClass = L"Scintilla";

// Large enough for any path the platform gives, so a program in a deep folder
// still finds the library beside it.
constexpr DWORD moduleFileNameCapacity = 32768;

// The registry value buffer in characters (UTF-16 units): a command longer
// than this is not read.
constexpr DWORD openCommandCapacity = 9999;
constexpr DWORD openCommandBytes = openCommandCapacity * DWORD{sizeof(wchar_t)};

// Bits 16 to 23 of the version word choose the key read first.
constexpr std::uint32_t versionKeyMask = 0x00FF0000;

struct OpenCommandKey {
    HKEY root = nullptr;
    const wchar_t* subkey = nullptr;
};

const OpenCommandKey classesRootKey = {HKEY_CLASSES_ROOT, L"Applications\\PureBasic.exe\\shell\\open\\command"};
const OpenCommandKey machineKey = {HKEY_LOCAL_MACHINE, L"Software\\Classes\\PureBasic.exe\\shell\\open\\command"};

// The text with each %NAME% replaced by the environment's value, as Windows
// does when it runs a command stored as REG_EXPAND_SZ; "" when it cannot be
// expanded.
std::wstring expandEnvironment(const std::wstring& text) {
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) {
        return std::wstring();
    }
    std::wstring expanded(needed, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) {
        return std::wstring();
    }
    // The count includes the terminating NUL.
    expanded.resize(written - 1);
    return expanded;
}

// Reads the key's default value as UTF-8; "" when the key or the value cannot
// be read or the value is not a string.
std::string readOpenCommand(const OpenCommandKey& place) {
    HKEY key = nullptr;
    // Read access only: a standard user cannot open these keys for writing.
    if (RegOpenKeyExW(place.root, place.subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::string();
    }
    std::wstring buffer(openCommandCapacity + 1, L'\0');
    DWORD type = REG_NONE;
    DWORD size = openCommandBytes;
    const LONG status = RegQueryValueExW(key, L"", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::string();
    }
    // A NUL stays a NUL in UTF-8, so the text still ends where the data does.
    const std::string data = utf8FromWide(std::wstring_view(buffer.data(), size / sizeof(wchar_t)));
    const std::string command = textBeforeNul(data.data(), data.size());
    if (type == REG_SZ) {
        return command;
    }
    return utf8FromWide(expandEnvironment(wideFromUtf8(command)));
}

// The folder of the key's command when it may hold the library, else "".
std::string usableFolder(const OpenCommandKey& place, FileExists exists) {
    std::string folder = folderFromOpenCommand(readOpenCommand(place), exists);
    if (editorLibraryPathInFolder(folder).empty()) {
        return std::string();
    }
    return folder;
}

}  // namespace

HMODULE loadEditorLibrary(const char* path) {
    return loadEditorLibrary(path, systemLibraryLoader());
}

HMODULE loadEditorLibrary(const char* path, const LibraryLoader& loader) {
    HMODULE library = loadLibraryAtPath(path, loader);
    if (library == nullptr) {
        return nullptr;
    }
    // Another program's file of that name, or a damaged build, loads but gives
    // the window no editor: it counts as not found.
    WNDCLASSEXW editorClass{};
    editorClass.cbSize = sizeof(editorClass);
    if (GetClassInfoExW(library, editorWindowClass, &editorClass) == FALSE) {
        FreeLibrary(library);
        return nullptr;
    }
    return library;
}

HMODULE locateEditorLibrary() {
    return locateEditorLibrary(loadEditorLibrary);
}

HMODULE locateEditorLibrary(EditorLibraryLoader load) {
    const std::string besideProgram = programFolder();
    // The two places a search by name would look in, then Compilers beside the
    // program.
    const std::string places[] = {
        libraryPathInFolder(besideProgram, editorLibraryFileName),
        libraryPathInFolder(systemFolder(), editorLibraryFileName),
        libraryPathInFolder(besideProgram, editorLibraryRelativePath),
    };
    for (const std::string& path : places) {
        HMODULE library = path.empty() ? nullptr : load(path.c_str());
        if (library != nullptr) {
            return library;
        }
    }
    const std::string inPureBasic = pureBasicEditorLibraryPath();
    return inPureBasic.empty() ? nullptr : load(inPureBasic.c_str());
}

std::string programFolder() {
    std::wstring fileName(moduleFileNameCapacity, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, fileName.data(), moduleFileNameCapacity);
    return pathPart(utf8FromWide(std::wstring_view(fileName.data(), length)));
}

bool isExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string queryPureBasicFolder() {
    return queryPureBasicFolder(GetVersion());
}

std::string queryPureBasicFolder(std::uint32_t versionWord, FileExists exists) {
    const bool classesRootFirst = (versionWord & versionKeyMask) != 0;
    const std::string first = usableFolder(classesRootFirst ? classesRootKey : machineKey, exists);
    if (!first.empty()) {
        return first;
    }
    return usableFolder(classesRootFirst ? machineKey : classesRootKey, exists);
}

std::string pureBasicEditorLibraryPath() {
    return editorLibraryPathInFolder(queryPureBasicFolder());
}
