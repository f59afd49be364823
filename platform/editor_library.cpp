#include "editor_library.h"

#include "editor_library_paths.h"
#include "utf8.h"

#include <string_view>

namespace {

constexpr const char* bareLibraryName = "Scintilla.dll";
constexpr const wchar_t* editorWindowClass = L"Scintilla";

// Large enough for any path the platform gives, so a program in a deep folder
// still finds the library beside it.
constexpr DWORD moduleFileNameCapacity = 32768;

// The registry value buffer in characters (UTF-16 units): a command longer
// than this is not read.
constexpr DWORD openCommandCapacity = 9999;
constexpr DWORD openCommandBytes = openCommandCapacity * DWORD{sizeof(wchar_t)};

// Bits 16 to 23 of the version word choose where the open command is read.
constexpr std::uint32_t versionKeyMask = 0x00FF0000;

constexpr const wchar_t* classesRootOpenCommandKey = L"Applications\\PureBasic.exe\\shell\\open\\command";
constexpr const wchar_t* machineOpenCommandKey = L"Software\\Classes\\PureBasic.exe\\shell\\open\\command";

// Reads the key's default value as UTF-8; "" when the key or the value cannot
// be read.
std::string readOpenCommand(HKEY root, const wchar_t* subkey) {
    HKEY key = nullptr;
    // Read access only: a standard user cannot open these keys for writing.
    if (RegOpenKeyExW(root, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::string();
    }
    std::wstring buffer(openCommandCapacity + 1, L'\0');
    DWORD type = 0;
    DWORD size = openCommandBytes;
    const LONG status = RegQueryValueExW(key, L"", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::string();
    }
    // A NUL stays a NUL in UTF-8, so the text still ends where the data does.
    const std::string command = utf8FromWide(std::wstring_view(buffer.data(), size / sizeof(wchar_t)));
    return textBeforeNul(command.data(), command.size());
}

bool isExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

HMODULE loadEditorLibrary(const char* name) {
    HMODULE library = LoadLibraryW(wideFromUtf8(name).c_str());
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
    HMODULE library = load(bareLibraryName);
    if (library != nullptr) {
        return library;
    }
    const std::string besideProgram = programFolder() + std::string(editorLibraryRelativePath);
    library = load(besideProgram.c_str());
    if (library != nullptr) {
        return library;
    }
    const std::string inPureBasic = pureBasicEditorLibraryPath();
    if (inPureBasic.empty()) {
        return nullptr;
    }
    return load(inPureBasic.c_str());
}

std::string programFolder() {
    std::wstring fileName(moduleFileNameCapacity, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, fileName.data(), moduleFileNameCapacity);
    return pathPart(utf8FromWide(std::wstring_view(fileName.data(), length)));
}

std::string queryPureBasicFolder() {
    return queryPureBasicFolder(GetVersion());
}

std::string queryPureBasicFolder(std::uint32_t versionWord) {
    const bool classesRoot = (versionWord & versionKeyMask) != 0;
    const std::string command = classesRoot ? readOpenCommand(HKEY_CLASSES_ROOT, classesRootOpenCommandKey)
                                            : readOpenCommand(HKEY_LOCAL_MACHINE, machineOpenCommandKey);
    return folderFromOpenCommand(command, isExistingFile);
}

std::string pureBasicEditorLibraryPath() {
    return editorLibraryPathInFolder(queryPureBasicFolder());
}
