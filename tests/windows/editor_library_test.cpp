// The editor-library search: the text work, the registered open command read
// from Wine's registry (set by the tests and restored), and the order of the
// three places.
#include "editor_library.h"
#include "editor_library_paths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr const char* classesRootKey = "Applications\\PureBasic.exe\\shell\\open\\command";
constexpr const char* machineKey = "Software\\Classes\\PureBasic.exe\\shell\\open\\command";
constexpr std::uint32_t newVersionWord = 0x4A610A;  // build number in bits 16 to 31
constexpr std::uint32_t oldVersionWord = 0x0A;

TEST(PathPart, GivesTheFolderWithItsSeparator) {
    EXPECT_EQ(pathPart("C:\\PB\\PureBasic.exe"), "C:\\PB\\");
    EXPECT_EQ(pathPart("\"C:\\PB\\PureBasic.exe\""), "C:\\PB\\");
    EXPECT_EQ(pathPart("C:/PB/PureBasic.exe"), "C:/PB/");
    EXPECT_EQ(pathPart("Scintilla.dll"), "");
    EXPECT_EQ(pathPart(""), "");
    EXPECT_EQ(pathPart("C:\\a\\b|C:\\c\\d"), "C:\\a\\") << "only the text before the first | is scanned";
}

TEST(TextBeforeNul, EndsAtTheSizeOrTheFirstNul) {
    const char withoutNul[] = "C:\\PB\\x    ";
    EXPECT_EQ(textBeforeNul(withoutNul, 7), "C:\\PB\\x");
    const char withNul[] = "abc\0def";
    EXPECT_EQ(textBeforeNul(withNul, 7), "abc");
}

TEST(FolderFromOpenCommand, CutsTheFolderOutOfTheCommand) {
    EXPECT_EQ(folderFromOpenCommand("\"C:\\PB\\PureBasic.exe\" \"%1\""), "C:\\PB\\");
    EXPECT_EQ(folderFromOpenCommand("\"C:\\Program Files\\PureBasic\\PureBasic.exe\" \"%1\""),
              "C:\\Program Files\\PureBasic\\");
    EXPECT_EQ(folderFromOpenCommand("C:\\PB\\PureBasic.exe \"%1\""), "C:\\PB\\")
        << "an unquoted path keeps its first character";
    EXPECT_EQ(folderFromOpenCommand("\"C:\\PB\\PureBasic.exe\" /X \"D:\\a\\b.txt\" \"%1\""),
              "C:\\PB\\PureBasic.exe\" /X \"D:\\a\\");
}

TEST(FolderFromOpenCommand, SevenCharactersOrFewerGiveNoFolder) {
    EXPECT_EQ(folderFromOpenCommand("\"\\ \"%1\""), "") << "seven characters, quoted";
    EXPECT_EQ(folderFromOpenCommand("\\x \"%1\""), "") << "seven characters, unquoted";
    EXPECT_EQ(folderFromOpenCommand("\"%1\""), "");
    EXPECT_EQ(folderFromOpenCommand(""), "");
}

TEST(EditorLibraryPathInFolder, AppendsTheRelativePlaceToTheTrimmedFolder) {
    EXPECT_EQ(editorLibraryPathInFolder("C:\\PB\\"), "C:\\PB\\Compilers\\Scintilla.dll");
    EXPECT_EQ(editorLibraryPathInFolder("C:\\PB\\PureBasic.exe\" /X \"D:\\a\\"), "C:\\PB\\Compilers\\Scintilla.dll");
    EXPECT_EQ(editorLibraryPathInFolder(""), "Compilers\\Scintilla.dll");
}

// Sets the default value of an open-command key for one test and puts the
// registry back as it was found.
class OpenCommandKey {
public:
    OpenCommandKey(HKEY root, const char* subkey) : root_(root), subkey_(subkey) {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExA(root_, subkey_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (existed_) {
            savedValue_ = readRaw(key, savedType_, hadValue_);
            RegCloseKey(key);
        } else {
            topCreated_ = firstMissingKey();
        }
    }
    ~OpenCommandKey() {
        if (!existed_) {
            RegDeleteTreeA(root_, topCreated_.c_str());
            RegDeleteKeyA(root_, topCreated_.c_str());
            return;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, subkey_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            if (hadValue_) {
                RegSetValueExA(key, "", 0, savedType_, reinterpret_cast<const BYTE*>(savedValue_.data()),
                               static_cast<DWORD>(savedValue_.size()));
            } else {
                RegDeleteValueA(key, "");
            }
            RegCloseKey(key);
        }
    }
    OpenCommandKey(const OpenCommandKey&) = delete;
    OpenCommandKey& operator=(const OpenCommandKey&) = delete;

    // Stores command as REG_SZ, with or without its terminating NUL.
    bool set(const std::string& command, bool withNul = true) const {
        HKEY key = nullptr;
        if (RegCreateKeyExA(root_, subkey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return false;
        }
        const DWORD size = static_cast<DWORD>(command.size() + (withNul ? 1 : 0));
        const LONG status = RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()), size);
        RegCloseKey(key);
        return status == ERROR_SUCCESS;
    }

    void remove() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, subkey_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "");
            RegCloseKey(key);
        }
    }

private:
    static std::string readRaw(HKEY key, DWORD& type, bool& found) {
        std::string data(16384, '\0');
        DWORD size = static_cast<DWORD>(data.size());
        found = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
                ERROR_SUCCESS;
        data.resize(found ? size : 0);
        return data;
    }

    std::string firstMissingKey() const {
        std::string::size_type end = subkey_.find('\\');
        while (true) {
            const std::string prefix = subkey_.substr(0, end);
            HKEY key = nullptr;
            if (RegOpenKeyExA(root_, prefix.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
                return prefix;
            }
            RegCloseKey(key);
            end = subkey_.find('\\', end + 1);
        }
    }

    HKEY root_ = nullptr;
    std::string subkey_;
    bool existed_ = false;
    bool hadValue_ = false;
    DWORD savedType_ = REG_SZ;
    std::string savedValue_;
    std::string topCreated_;
};

TEST(QueryPureBasicFolder, ReadsTheClassesRootCommandWhenTheVersionBitsAreSet) {
    const OpenCommandKey classesRoot(HKEY_CLASSES_ROOT, classesRootKey);
    const OpenCommandKey machine(HKEY_LOCAL_MACHINE, machineKey);
    ASSERT_TRUE(classesRoot.set("\"C:\\New\\PureBasic.exe\" \"%1\""));
    ASSERT_TRUE(machine.set("\"C:\\Old\\PureBasic.exe\" \"%1\""));

    EXPECT_EQ(queryPureBasicFolder(newVersionWord), "C:\\New\\");
    EXPECT_EQ(queryPureBasicFolder(oldVersionWord), "C:\\Old\\");
}

TEST(QueryPureBasicFolder, HandlesTheShapesOfTheOpenCommand) {
    const OpenCommandKey command(HKEY_CLASSES_ROOT, classesRootKey);

    ASSERT_TRUE(command.set("\"C:\\Program Files\\PureBasic\\PureBasic.exe\" \"%1\""));
    EXPECT_EQ(queryPureBasicFolder(newVersionWord), "C:\\Program Files\\PureBasic\\");

    ASSERT_TRUE(command.set("C:\\PB\\PureBasic.exe \"%1\""));
    EXPECT_EQ(queryPureBasicFolder(newVersionWord), "C:\\PB\\");

    ASSERT_TRUE(command.set("\"C:\\PB\\PureBasic.exe\" \"%1\"", false));
    EXPECT_EQ(queryPureBasicFolder(newVersionWord), "C:\\PB\\") << "value stored without its NUL";

    ASSERT_TRUE(command.set("\"\\ \"%1\""));
    EXPECT_EQ(queryPureBasicFolder(newVersionWord), "");

    command.remove();
    EXPECT_EQ(queryPureBasicFolder(newVersionWord), "");
}

// Records the names the search hands to the loader; answers a module for the
// attempt numbered loadingAttempt (1-based), none for the others.
std::vector<std::string> triedNames;
std::size_t loadingAttempt = 0;

HMODULE recordingLoader(const char* name) {
    triedNames.emplace_back(name);
    return triedNames.size() == loadingAttempt ? GetModuleHandleA(nullptr) : nullptr;
}

std::vector<std::string> namesTriedWhenLoading(std::size_t attempt) {
    triedNames.clear();
    loadingAttempt = attempt;
    const HMODULE found = locateEditorLibrary(recordingLoader);
    EXPECT_EQ(found != nullptr, attempt != 0);
    return triedNames;
}

TEST(LocateEditorLibrary, TriesTheThreePlacesInOrderAndStopsAtTheFirstThatLoads) {
    const OpenCommandKey command(HKEY_CLASSES_ROOT, classesRootKey);
    const OpenCommandKey machine(HKEY_LOCAL_MACHINE, machineKey);
    ASSERT_TRUE(command.set("\"C:\\PB\\PureBasic.exe\" /X \"D:\\a\\b.txt\" \"%1\""));
    ASSERT_TRUE(machine.set("\"C:\\PB\\PureBasic.exe\" /X \"D:\\a\\b.txt\" \"%1\""));
    const std::string besideProgram = programFolder() + "Compilers\\Scintilla.dll";

    EXPECT_EQ(namesTriedWhenLoading(1), (std::vector<std::string>{"Scintilla.dll"}));
    EXPECT_EQ(namesTriedWhenLoading(2), (std::vector<std::string>{"Scintilla.dll", besideProgram}));
    EXPECT_EQ(namesTriedWhenLoading(0),
              (std::vector<std::string>{"Scintilla.dll", besideProgram, "C:\\PB\\Compilers\\Scintilla.dll"}));
}

TEST(LocateEditorLibrary, WithoutAnOpenCommandTheThirdNameIsRelative) {
    const OpenCommandKey command(HKEY_CLASSES_ROOT, classesRootKey);
    const OpenCommandKey machine(HKEY_LOCAL_MACHINE, machineKey);
    command.remove();
    machine.remove();
    EXPECT_EQ(namesTriedWhenLoading(0).back(), "Compilers\\Scintilla.dll");
}

}  // namespace
