#include "editor_library.h"

#include "editor_library_paths.h"

#include <string_view>

namespace {

constexpr const char* bareLibraryName = "Scintilla.dll";
constexpr const char* editorWindowClass = "Scintilla";

// Large enough for any path the platform gives, so a program in a deep folder
// still finds the library beside it.
constexpr DWORD moduleFileNameCapacity = 32768;

// The registry value buffer: a command longer than this is not read.
constexpr DWORD openCommandCapacity = 9999;

// Bits 16 to 23 of the version word choose where the open command is read.
constexpr std::uint32_t versionKeyMask = 0x00FF0000;

constexpr const char* classesRootOpenCommandKey = "Applications\\PureBasic.exe\\shell\\open\\command";
constexpr const char* machineOpenCommandKey = "Software\\Classes\\PureBasic.exe\\shell\\open\\command";

// Reads the key's default value; "" when the key or the value cannot be read.
std::string readOpenCommand(HKEY root, const char* subkey) {
    HKEY key = nullptr;
    // Read access only: a standard user cannot open these keys for writing.
    if (RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::string();
    }
    std::string buffer(openCommandCapacity + 1, '\0');
    DWORD type = 0;
    DWORD size = openCommandCapacity;
    const LONG status = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::string();
    }
    return textBeforeNul(buffer.data(), size);
}

bool isExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

HMODULE loadEditorLibrary(const char* name) {
    HMODULE library = LoadLibraryA(name);
    if (library == nullptr) {
        return nullptr;
    }
    // Another program's file of that name, or a damaged build, loads but gives
    // the window no editor: it counts as not found.
    WNDCLASSEXA editorClass{};
    editorClass.cbSize = sizeof(editorClass);
    if (GetClassInfoExA(library, editorWindowClass, &editorClass) == FALSE) {
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
    std::string fileName(moduleFileNameCapacity, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, fileName.data(), moduleFileNameCapacity);
    return pathPart(textBeforeNul(fileName.data(), length));
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
