// The editor-library search: the text work, the registered open command read
// from Wine's registry (set by the tests and restored), and the order of the
// three places.
#include "editor_library.h"
#include "editor_library_paths.h"
#include "utf8.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* classesRootKey = "Applications\\PureBasic.exe\\shell\\open\\command";
constexpr const char* machineKey = "Software\\Classes\\PureBasic.exe\\shell\\open\\command";
// GetVersion's answer: the build number in bits 16 to 31, the minor version
// in bits 8 to 15, the major version in bits 0 to 7.
constexpr std::uint32_t versionWord(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
    return build << 16 | minor << 8 | major;
}
constexpr std::uint32_t newVersionWord = versionWord(10, 0, 19045);

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

// The program files that exist for the tables below; every other name the
// rule tries does not. Some could not exist on Windows (a name holding "|");
// they are listed to show that the folder rule refuses them all the same.
bool isListedProgram(const std::string& path) {
    static const std::string_view programs[] = {
        R"(C:\PB\PureBasic.exe)", R"(C:\PB\PB.exe)", R"(C:\PB\pb.exe)", R"(C:\P.B\pb.exe)",
        R"(C:\Program Files\PureBasic\PureBasic.exe)", R"(\x.exe)", R"(PureBasic.exe)", R"(C:/PB/PB.exe)",
        R"(C:/PB/PureBasic.exe)", R"(\\server\share\PureBasic.exe)", R"(\\server\share\PB\PureBasic.exe)",
        R"(\\server\PureBasic.exe)", R"(C:PB\PureBasic.exe)", R"(C:\PureBasic.exe)", R"(C:\x|y\PureBasic.exe)",
        R"(C:\PB\..\PureBasic.exe)",
    };
    return std::find(std::begin(programs), std::end(programs), path) != std::end(programs);
}

// Each registered command beside the folder the former fixed cut gave (a
// leading quote and the last seven characters dropped) and the folder of the
// program's path; the last column is the name the fourth attempt loads, ""
// where it is not made. The program a command names is one that exists,
// whether the command quotes it or not; blanks and tabs separate alike.
TEST(FolderFromOpenCommand, IsTheFolderOfTheProgramPath) {
    const struct {
        std::string_view command;
        std::string_view cutFolder;
        std::string_view folder;
        std::string_view libraryPath;
    } cases[] = {
        {R"("C:\PB\PureBasic.exe" "%1")", R"(C:\PB\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"("C:\Program Files\PureBasic\PureBasic.exe" "%1")", R"(C:\Program Files\PureBasic\)",
         R"(C:\Program Files\PureBasic\)", R"(C:\Program Files\PureBasic\Compilers\Scintilla.dll)"},
        {R"(C:\PB\PureBasic.exe "%1")", R"(C:\PB\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"("C:\PB\PureBasic.exe" /X "D:\a\b.txt" "%1")", R"(C:\PB\PureBasic.exe" /X "D:\a\)", R"(C:\PB\)",
         R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"(C:\PB\PB.exe)", R"(C:\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"(C:\PB\pb %1)", R"(C:\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"(C:\P.B\pb %1)", R"(C:\)", R"(C:\P.B\)", R"(C:\P.B\Compilers\Scintilla.dll)"},
        {R"("C:\PB\PureBasic.exe)", R"(C:\PB\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"("C:\PB\PB.exe)", R"(C:\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"("C:\PB\PureBasic" "%1")", R"(C:\PB\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"(C:\Program Files\PureBasic\PureBasic.exe "%1")", R"(C:\Program Files\PureBasic\)",
         R"(C:\Program Files\PureBasic\)", R"(C:\Program Files\PureBasic\Compilers\Scintilla.dll)"},
        {R"( C:\Program Files\PureBasic\PureBasic.exe "%1")", R"( C:\Program Files\PureBasic\)",
         R"(C:\Program Files\PureBasic\)", R"(C:\Program Files\PureBasic\Compilers\Scintilla.dll)"},
        {R"(C:\Program Files\Missing\PureBasic.exe "%1")", R"(C:\Program Files\Missing\)", "", ""},
        {R"("C:\Program Files\Missing\PureBasic.exe" "%1")", R"(C:\Program Files\Missing\)", "", ""},
        {R"("C:/PB/PureBasic.exe" "%1")", "C:/PB/", "C:/PB/", R"(C:/PB/Compilers\Scintilla.dll)"},
        {"  C:/PB/PB.exe", "  C:/", "C:/PB/", R"(C:/PB/Compilers\Scintilla.dll)"},
        {R"( "C:\PB\PureBasic.exe" "%1")", R"( "C:\PB\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {"C:\\PB\\pb\t%1", R"(C:\)", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {"\t\"C:\\PB\\PureBasic.exe\"\t\"%1\"", "\t\"C:\\PB\\", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {"C:\\Program Files\\PureBasic\\PureBasic.exe\t\"%1\"", R"(C:\Program Files\PureBasic\)",
         R"(C:\Program Files\PureBasic\)", R"(C:\Program Files\PureBasic\Compilers\Scintilla.dll)"},
        {" \t C:\\PB\\PB.exe", " \t C:\\", R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"("\\server\share\PB\PureBasic.exe" "%1")", R"(\\server\share\PB\)", R"(\\server\share\PB\)",
         R"(\\server\share\PB\Compilers\Scintilla.dll)"},
        {R"("\\server\share\PureBasic.exe" "%1")", R"(\\server\share\)", R"(\\server\share\)", ""},
        {R"("\\server\PureBasic.exe" "%1")", R"(\\server\)", R"(\\server\)", ""},
        {R"("C:\PureBasic.exe" "%1")", R"(C:\)", R"(C:\)", ""},
        {R"("C:\")", "", "", ""},
        {R"("C:\x|y\PureBasic.exe" "%1")", R"(C:\)", R"(C:\x|y\)", ""},
        {R"("C:\PB\..\PureBasic.exe" "%1")", R"(C:\PB\..\)", R"(C:\PB\..\)", ""},
        {R"("C:PB\PureBasic.exe" "%1")", R"(C:PB\)", R"(C:PB\)", ""},
        {R"("\ "%1")", "", "", ""},
        {R"(\x "%1")", "", R"(\)", ""},
        {R"(PureBasic.exe "%1")", "", "", ""},
        {R"("%1")", "", "", ""},
        {R"(")", "", "", ""},
        {"", "", "", ""},
    };
    for (const auto& each : cases) {
        const std::string folder = folderFromOpenCommand(each.command, isListedProgram);
        EXPECT_EQ(folder, each.folder) << each.command << " (the fixed cut gave " << each.cutFolder << ")";
        EXPECT_EQ(editorLibraryPathInFolder(folder), each.libraryPath) << each.command;
    }
}

// The PureBasic folder holds the library only below a drive's or a share's
// root, named by names that Windows takes as they are.
TEST(EditorLibraryPathInFolder, IsMadeOnlyBelowARoot) {
    const struct {
        std::string_view folder;
        std::string_view libraryPath;
    } places[] = {
        {R"(C:\PB\)", R"(C:\PB\Compilers\Scintilla.dll)"},
        {R"(D:/Program Files/PureBasic/)", R"(D:/Program Files/PureBasic/Compilers\Scintilla.dll)"},
        {"C:\\\xd0\x98\xd0\xb2\xd0\xb0\xd0\xbd\\PB.\\",
         "C:\\\xd0\x98\xd0\xb2\xd0\xb0\xd0\xbd\\PB.\\Compilers\\Scintilla.dll"},
        {R"(\\server\share\PB\)", R"(\\server\share\PB\Compilers\Scintilla.dll)"},
    };
    for (const auto& each : places) {
        EXPECT_EQ(editorLibraryPathInFolder(each.folder), each.libraryPath) << each.folder;
    }
    const std::string_view noPlace[] = {
        "", R"(C:\PB)", R"(C:PB\)", R"(\PB\)", R"(C:\)", R"(C:/)", R"(C:\\)", R"(C:\\PB\)",
        R"(\\server\share\)", R"(\\server\)", R"(\\\share\PB\)", R"(\\?\C:\PB\)", R"(\\.\C:\PB\)",
        R"(C:\.\)", R"(C:\PB\..\)", R"(C:\PB\ . \)", R"(C:\PB\...\)", R"(C:\PB\PureBasic.exe" /X "D:\a\)",
        R"(C:\x|y\)", R"(C:\a<b\)", R"(C:\a>b\)", R"(C:\a*\)", R"(C:\a?\)", R"(C:\a:b\)", "C:\\a\tb\\",
    };
    for (const std::string_view folder : noPlace) {
        EXPECT_EQ(editorLibraryPathInFolder(folder), "") << folder;
    }
}

TEST(LibraryPathInFolder, NamesAFileOnlyInAnAbsoluteFolder) {
    EXPECT_EQ(libraryPathInFolder("C:\\w\\", "Scintilla.dll"), "C:\\w\\Scintilla.dll");
    EXPECT_EQ(libraryPathInFolder("\\\\server\\share\\", "Scintilla.dll"), "\\\\server\\share\\Scintilla.dll");
    EXPECT_EQ(libraryPathInFolder("", "Scintilla.dll"), "") << "never a bare name";
    EXPECT_EQ(libraryPathInFolder("w\\", "Compilers\\Scintilla.dll"), "");
}

// The two places of the open command, as the tests write them: the key
// created for them (removed again at the end) and the command's key.
struct OpenCommandPlace {
    HKEY root = nullptr;
    const char* createdKey = nullptr;
    const char* commandKey = nullptr;
};

const OpenCommandPlace classesRoot = {HKEY_CLASSES_ROOT, "Applications\\PureBasic.exe", classesRootKey};
const OpenCommandPlace machine = {HKEY_LOCAL_MACHINE, "Software\\Classes\\PureBasic.exe", machineKey};

bool keyExists(const OpenCommandPlace& place) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, place.createdKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// The tests' names are UTF-16, as the platform's, so that a fault of the
// program's own conversions cannot cancel out in a test; the narrow ones are
// ASCII.
std::wstring wideFromAscii(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

// Stores the command as the key's default value, in UTF-16 as Windows keeps
// it.
bool setOpenCommand(const OpenCommandPlace& place, DWORD type, const std::wstring& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(place.root, place.commandKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG status = RegSetValueExW(key, L"", 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                       static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool setOpenCommand(const OpenCommandPlace& place, const std::wstring& command) {
    return setOpenCommand(place, REG_SZ, command + L'\0');
}

bool setOpenCommand(const OpenCommandPlace& place, const std::string& command) {
    return setOpenCommand(place, wideFromAscii(command));
}

// A command stored without its NUL. Windows adds one when the reader's buffer
// has room for it and otherwise gives the data as stored; Wine refuses the
// read when there is no room for the NUL.
bool setUnterminatedOpenCommand(const OpenCommandPlace& place, const std::string& command) {
    return setOpenCommand(place, REG_SZ, wideFromAscii(command));
}

bool setKeyAccess(const OpenCommandPlace& place, const char* descriptorText) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptorText, SDDL_REVISION_1, &descriptor, nullptr)) {
        return false;
    }
    HKEY key = nullptr;
    bool done = RegOpenKeyExA(place.root, place.commandKey, 0, WRITE_DAC, &key) == ERROR_SUCCESS;
    if (done) {
        done = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    LocalFree(descriptor);
    return done;
}

// Everyone may read the key and nobody may change it, as a standard user
// finds the machine's keys.
bool makeReadOnly(const OpenCommandPlace& place) {
    return setKeyAccess(place, "D:P(A;;KR;;;WD)");
}

// The tests write the PureBasic keys into the project's own Wine prefix and
// remove them afterwards; they leave a registry that already holds them alone.
class OpenCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (keyExists(classesRoot) || keyExists(machine)) {
            GTEST_SKIP() << "the registry already holds a PureBasic open command";
        }
    }
    void TearDown() override {
        for (const OpenCommandPlace& place : {classesRoot, machine}) {
            if (keyExists(place)) {
                setKeyAccess(place, "D:P(A;;KA;;;WD)");
                RegDeleteTreeA(place.root, place.createdKey);
                RegDeleteKeyA(place.root, place.createdKey);
            }
        }
    }
};

bool anyFile(const std::string&) {
    return true;
}

// The low byte of the build number chooses the key read first. Windows 10's
// first build, 10240 (0x2800), reads the machine key first; 19045, Windows
// 11's 22631 and 26100, and 9200 (the version Windows 8 and later report to a
// program whose manifest names no later one) the classes-root key.
TEST_F(OpenCommandTest, TheBuildNumberChoosesTheKeyReadFirst) {
    ASSERT_TRUE(setOpenCommand(classesRoot, "\"C:\\New\\PureBasic.exe\" \"%1\""));
    ASSERT_TRUE(setOpenCommand(machine, "\"C:\\Old\\PureBasic.exe\" \"%1\""));
    const struct {
        std::uint32_t word;
        const char* folder;
    } builds[] = {
        {versionWord(10, 0, 10240), "C:\\Old\\"}, {versionWord(10, 0, 19045), "C:\\New\\"},
        {versionWord(10, 0, 22631), "C:\\New\\"}, {versionWord(10, 0, 26100), "C:\\New\\"},
        {versionWord(6, 2, 9200), "C:\\New\\"},
    };
    for (const auto& build : builds) {
        EXPECT_EQ(queryPureBasicFolder(build.word, anyFile), build.folder)
            << "version word 0x" << std::hex << build.word;
    }
}

// When the key read first holds no command that gives a folder for the
// library, the other key is read, whichever comes first.
TEST_F(OpenCommandTest, WhenTheKeyReadFirstGivesNoFolderTheOtherIsRead) {
    const std::uint32_t machineFirst = versionWord(10, 0, 10240);
    const struct {
        DWORD type;
        std::string_view data;
    } unusable[] = {
        {REG_SZ, R"("C:\Program Files\Missing\PureBasic.exe" "%1")"},
        {REG_SZ, R"("C:\PureBasic.exe" "%1")"},
        {REG_SZ, R"("C:\x|y\PureBasic.exe" "%1")"},
        {REG_SZ, R"(")"},
        {REG_BINARY, R"("C:\PB\PureBasic.exe" "%1")"},
    };
    const struct {
        const OpenCommandPlace& first;
        const OpenCommandPlace& other;
        std::uint32_t word;
    } orders[] = {{classesRoot, machine, newVersionWord}, {machine, classesRoot, machineFirst}};
    for (const auto& order : orders) {
        ASSERT_TRUE(setOpenCommand(order.other, "\"C:\\PB\\PureBasic.exe\" \"%1\""));
        for (const auto& each : unusable) {
            ASSERT_TRUE(setOpenCommand(order.first, each.type, wideFromAscii(each.data) + L'\0'));
            EXPECT_EQ(queryPureBasicFolder(order.word, isListedProgram), "C:\\PB\\") << each.data;
        }
        RegDeleteTreeA(order.first.root, order.first.createdKey);
        EXPECT_EQ(queryPureBasicFolder(order.word, isListedProgram), "C:\\PB\\") << "no key read first";
        ASSERT_TRUE(setOpenCommand(order.other, "\"C:\\PureBasic.exe\" \"%1\""));
        EXPECT_EQ(queryPureBasicFolder(order.word, isListedProgram), "") << "neither gives a folder";
        RegDeleteTreeA(order.other.root, order.other.createdKey);
    }
}

TEST_F(OpenCommandTest, AKeyThatCannotBeOpenedForWritingIsRead) {
    ASSERT_TRUE(setOpenCommand(classesRoot, "\"C:\\PB\\PureBasic.exe\" \"%1\""));
    ASSERT_TRUE(makeReadOnly(classesRoot));
    HKEY key = nullptr;
    const LONG writable = RegOpenKeyExA(HKEY_CLASSES_ROOT, classesRootKey, 0, KEY_ALL_ACCESS, &key);
    if (writable == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    ASSERT_NE(writable, ERROR_SUCCESS) << "the key refuses write access";

    EXPECT_EQ(queryPureBasicFolder(newVersionWord, isListedProgram), "C:\\PB\\");
}

std::wstring moduleFileName(HMODULE module) {
    std::vector<wchar_t> name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
    return std::wstring(name.data(), length);
}

constexpr const wchar_t* folderVariable = L"PLATFORM_TEST_PROGRAM_FOLDER";

// A command names its program only when that file exists, quoted or not:
// this test's own executable does; the PureBasic path, here, does not. The
// value's type decides how it is read: REG_SZ as it stands, REG_EXPAND_SZ with
// the environment's values put in, any other type not at all.
TEST_F(OpenCommandTest, ShapesAndTypesOfTheCommand) {
    const std::wstring program = moduleFileName(nullptr);
    const std::wstring programName = program.substr(program.find_last_of(L'\\') + 1);
    const std::string folder = programFolder();
    ASSERT_TRUE(SetEnvironmentVariableW(folderVariable, wideFromUtf8(folder).c_str()));
    const std::wstring missing = L"C:\\Program Files\\PureBasic\\PureBasic.exe";
    const std::wstring expandable = L"\"%PLATFORM_TEST_PROGRAM_FOLDER%" + programName + L"\" \"%1\"";
    const struct {
        DWORD type;
        std::wstring data;
        std::string folder;
    } cases[] = {
        {REG_SZ, L"\"" + program + L"\" \"%1\"", folder},
        {REG_SZ, program + L" \"%1\"", folder},
        {REG_SZ, L"\"" + missing + L"\" \"%1\"", ""},
        {REG_SZ, missing + L" \"%1\"", ""},
        {REG_EXPAND_SZ, expandable, folder},
        {REG_SZ, expandable, ""},
        {REG_BINARY, L"\"" + program + L"\" \"%1\"", ""},
        {REG_MULTI_SZ, L"\"" + program + L"\" \"%1\"" + L'\0', ""},
        {REG_NONE, L"\"" + program + L"\" \"%1\"", ""},
    };
    for (const auto& each : cases) {
        ASSERT_TRUE(setOpenCommand(classesRoot, each.type, each.data + L'\0'));
        EXPECT_EQ(queryPureBasicFolder(newVersionWord), each.folder)
            << utf8FromWide(each.data) << ", type " << each.type;
    }
    SetEnvironmentVariableW(folderVariable, nullptr);

    ASSERT_TRUE(setOpenCommand(classesRoot, REG_DWORD, std::wstring(2, L'\0')));
    EXPECT_EQ(queryPureBasicFolder(newVersionWord), "") << "a number";

    ASSERT_TRUE(setUnterminatedOpenCommand(classesRoot, "\"C:\\PB\\PureBasic.exe\" \"%1\""));
    EXPECT_EQ(queryPureBasicFolder(newVersionWord, isListedProgram), "C:\\PB\\") << "value stored without its NUL";

    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Applications\\PureBasic.exe");
    EXPECT_EQ(queryPureBasicFolder(newVersionWord), "") << "no open command";
}

// A command of the given length, unquoted or with an opening quote that is
// never closed, whose program path ends with a backslash at its very end, so
// that every character of the data is part of the folder.
std::string commandOfLength(std::size_t length, bool unmatchedQuote) {
    const std::string start = unmatchedQuote ? "\"C:\\" : "C:\\";
    if (length <= 1) {
        return start.substr(0, length);
    }
    return start + std::string(length - start.size() - 1, 'x') + '\\';
}

// The value holds 9999 characters (UTF-16 units): a command with its NUL up
// to 9998 characters; one stored without its NUL up to 9999 on Windows, and up
// to 9998 under Wine, which wants room for the NUL it adds. A longer one is
// not read. Every program is taken to exist here.
TEST_F(OpenCommandTest, CommandsAtTheValueBufferLimits) {
    constexpr std::size_t valueCapacity = 9999;
    for (const std::size_t length : {0U, 1U, 7U, 8U, 9998U, 9999U, 10000U}) {
        for (const bool unmatchedQuote : {false, true}) {
            const std::string command = commandOfLength(length, unmatchedQuote);
            const std::string folder = length <= 1 ? "" : command.substr(unmatchedQuote ? 1 : 0);
            ASSERT_TRUE(setOpenCommand(classesRoot, command));
            EXPECT_EQ(queryPureBasicFolder(newVersionWord, anyFile), length < valueCapacity ? folder : "")
                << length << " characters" << (unmatchedQuote ? " with an unmatched quote" : "");
            ASSERT_TRUE(setUnterminatedOpenCommand(classesRoot, command));
            EXPECT_EQ(queryPureBasicFolder(newVersionWord, anyFile), length < valueCapacity ? folder : "")
                << length << " characters stored without their NUL" << (unmatchedQuote ? ", unmatched quote" : "");
        }
    }
}

// Only a library that provides the editor's window class counts as loaded;
// any other is freed again at once. The editor's library comes last: its
// class is global to the process once registered.
TEST(LoadEditorLibrary, NeedsTheEditorWindowClass) {
    EXPECT_EQ(loadEditorLibrary(NO_EDITOR_LIBRARY), nullptr) << "loads but registers no class";
    EXPECT_EQ(GetModuleHandleA("NoEditor.dll"), nullptr) << "freed again";
    EXPECT_EQ(loadEditorLibrary(NOT_A_LIBRARY), nullptr) << "a text file";
    ASSERT_NE(GetFileAttributesA(OTHER_ARCHITECTURE_LIBRARY), INVALID_FILE_ATTRIBUTES)
        << "the other architecture's library is there to be refused";
    EXPECT_EQ(loadEditorLibrary(OTHER_ARCHITECTURE_LIBRARY), nullptr);
    EXPECT_NE(loadEditorLibrary(TEST_SCINTILLA_DLL), nullptr);
}

// The loader's calls, recorded; with refuseSearchFlags it answers as Windows
// 7 without its loader update does to the LOAD_LIBRARY_SEARCH_ flags.
struct LoaderCall {
    std::wstring path;
    DWORD flags = 0;
    bool operator==(const LoaderCall&) const = default;
};
std::vector<LoaderCall> loaderCalls;
bool refuseSearchFlags = false;
constexpr DWORD searchFlags = 0xFF00;
constexpr DWORD besideAndSystemFolder = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;

HMODULE WINAPI recordingLoadLibraryEx(LPCWSTR path, HANDLE reserved, DWORD flags) {
    loaderCalls.push_back({path, flags});
    if (refuseSearchFlags && (flags & searchFlags) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryExW(path, reserved, flags);
}

// The library is named by its full path; its own dependencies are looked for
// beside it and in the system folder, and where the loader refuses that, the
// full path is loaded as it stands. A load that fails otherwise is not tried
// again, and a name without a drive or share is not tried at all.
TEST(LoadEditorLibrary, ByItsFullPathWithOrWithoutTheLoaderUpdate) {
    const LibraryLoader loader{nullptr, recordingLoadLibraryEx};
    const std::wstring library = wideFromAscii(TEST_SCINTILLA_DLL);
    for (const bool refused : {false, true}) {
        refuseSearchFlags = refused;
        loaderCalls.clear();
        EXPECT_NE(loadEditorLibrary(TEST_SCINTILLA_DLL, loader), nullptr);
        std::vector<LoaderCall> expected{{library, besideAndSystemFolder}};
        if (refused) {
            expected.push_back({library, 0});
        }
        EXPECT_EQ(loaderCalls, expected) << (refused ? "flags refused" : "flags known");
    }
    refuseSearchFlags = false;
    loaderCalls.clear();
    EXPECT_EQ(loadEditorLibrary("Z:\\no such folder\\Scintilla.dll", loader), nullptr);
    EXPECT_EQ(loaderCalls.size(), 1U) << "a missing file is not tried again";
    for (const char* relative : {"Scintilla.dll", "Compilers\\Scintilla.dll", "\\Scintilla.dll"}) {
        loaderCalls.clear();
        EXPECT_EQ(loadEditorLibrary(relative, loader), nullptr);
        EXPECT_TRUE(loaderCalls.empty()) << relative << " is never handed to the loader";
    }
}

// The program-folder cases run the test executable itself again from a copy
// in a temporary program folder; the child reports through its exit code.
// A child that skipped its case, or whose filter matched none, ends with 0,
// so only an exit code of its own says that its checks ran and passed.
// Folders and the library's file name pass in UTF-16: the names hold letters
// that the system's code page may lack.
constexpr const wchar_t* expectedFolderVariable = L"PLATFORM_TEST_EXPECTED_FOLDER";
constexpr const wchar_t* expectedLibraryVariable = L"PLATFORM_TEST_EXPECTED_LIBRARY";
constexpr const char* childTestName = "ProgramFolderChild.FindsItsFolderAndTheLibrary";
constexpr int childCheckedExitCode = 42;

std::wstring environmentValue(const wchar_t* name) {
    std::vector<wchar_t> value(32768, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    return std::wstring(value.data(), length < value.size() ? length : 0);
}

TEST(ProgramFolderChild, FindsItsFolderAndTheLibrary) {
    const std::wstring expectedFolder = environmentValue(expectedFolderVariable);
    if (expectedFolder.empty()) {
        GTEST_SKIP() << "runs only in a copy started by the ProgramFolder tests";
    }
    EXPECT_EQ(wideFromUtf8(programFolder()), expectedFolder);
    const std::wstring expectedLibrary = environmentValue(expectedLibraryVariable);
    if (!expectedLibrary.empty()) {
        HMODULE library = locateEditorLibrary();
        ASSERT_NE(library, nullptr);
        EXPECT_EQ(moduleFileName(library), expectedLibrary);
        WNDCLASSA editorClass{};
        EXPECT_NE(GetClassInfoA(library, "Scintilla", &editorClass), FALSE);
    }
    if (!HasFailure()) {
        std::fflush(stdout);
        std::exit(childCheckedExitCode);
    }
}

// Test-side file work in a folder that may be longer than MAX_PATH: the wide
// calls with the "\\?\" prefix take such paths.
std::wstring longPath(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

void createFolders(const std::wstring& path) {
    for (std::size_t end = path.find(L'\\', 3); end != std::wstring::npos; end = path.find(L'\\', end + 1)) {
        CreateDirectoryW(longPath(path.substr(0, end)).c_str(), nullptr);
    }
}

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW(longPath(folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                removeTree(path);
            } else {
                DeleteFileW(longPath(path).c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(longPath(folder).c_str());
}

// A temporary program folder holding a copy of this executable, removed with
// everything in it at the end.
class ProgramFolderCopy {
public:
    ProgramFolderCopy(const std::wstring& relativeFolder, const std::wstring& programName)
        : root_(rootFolder()), folder_(root_ + L"\\" + relativeFolder + L"\\"), program_(folder_ + programName) {
        createFolders(folder_);
        CopyFileW(longPath(moduleFileName(nullptr)).c_str(), longPath(program_).c_str(), FALSE);
    }
    ~ProgramFolderCopy() { removeTree(root_); }
    ProgramFolderCopy(const ProgramFolderCopy&) = delete;
    ProgramFolderCopy& operator=(const ProgramFolderCopy&) = delete;

    static std::wstring rootFolder() {
        std::vector<wchar_t> temp(MAX_PATH + 1, L'\0');
        const DWORD length = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
        return std::wstring(temp.data(), length < temp.size() ? length : 0) + L"platform_test_" +
               std::to_wstring(GetCurrentProcessId());
    }

    const std::wstring& folder() const { return folder_; }
    const std::wstring& program() const { return program_; }
    std::wstring libraryPath() const { return folder_ + L"Compilers\\Scintilla.dll"; }

    bool addLibrary() const {
        CreateDirectoryW(longPath(folder_ + L"Compilers").c_str(), nullptr);
        return CopyFileW(wideFromAscii(TEST_SCINTILLA_DLL).c_str(), longPath(libraryPath()).c_str(), FALSE) != FALSE;
    }

    // Runs the child case in the copy, which expects the library at
    // expectedLibrary (L"": it does not look for it); answers its exit code,
    // -1 when it could not be started.
    long runChild(const std::wstring& expectedLibrary) const {
        SetEnvironmentVariableW(expectedFolderVariable, folder_.c_str());
        SetEnvironmentVariableW(expectedLibraryVariable, expectedLibrary.c_str());
        std::wstring commandLine = L"\"" + program_ + L"\" --gtest_filter=" + wideFromAscii(childTestName);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        const BOOL started = CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                            nullptr, &startup, &process);
        SetEnvironmentVariableW(expectedFolderVariable, nullptr);
        SetEnvironmentVariableW(expectedLibraryVariable, nullptr);
        if (!started) {
            return -1;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return static_cast<long>(exitCode);
    }

private:
    std::wstring root_;
    std::wstring folder_;
    std::wstring program_;
};

constexpr const char* canNameFolders =
    "Wine names files in the character set of its session's locale, which must be installed (scripts/wine-run.sh)";

// Beside the folder of plain letters, folders with letters of the Russian
// code page and beyond it: a system code page that lacks them must not lose
// the folder.
TEST(ProgramFolder, TheLibraryInCompilersBesideTheProgramIsLoaded) {
    for (const wchar_t* folder : {L"wizard", L"Иван\\Desktop\\wizard", L"Ελένη\\Desktop\\wizard"}) {
        SCOPED_TRACE(folder);
        const ProgramFolderCopy copy(folder, L"wizard.exe");
        ASSERT_TRUE(copy.addLibrary()) << canNameFolders;
        EXPECT_EQ(copy.runChild(copy.libraryPath()), childCheckedExitCode);
    }
}

// The PureBasic folder is named by an unquoted command with a blank, so that
// the command's program is also looked for on the disk.
TEST_F(OpenCommandTest, TheLibraryInARegisteredPureBasicFolderWithLettersOfAnyCodePageIsLoaded) {
    for (const wchar_t* folder : {L"Иван\\Pure Basic", L"Ελένη\\Pure Basic"}) {
        SCOPED_TRACE(folder);
        const ProgramFolderCopy copy(L"wizard", L"wizard.exe");
        const ProgramFolderCopy pureBasic(folder, L"PureBasic.exe");
        ASSERT_TRUE(pureBasic.addLibrary()) << canNameFolders;
        const std::wstring command = pureBasic.program() + L" \"%1\"";
        ASSERT_TRUE(setOpenCommand(classesRoot, command));
        ASSERT_TRUE(setOpenCommand(machine, command));
        EXPECT_EQ(copy.runChild(pureBasic.libraryPath()), childCheckedExitCode);
    }
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

// The places a search by name would look in, each named in full, then
// Compilers beside the program: the system folder as Windows gives it.
std::vector<std::string> firstThreePlaces() {
    std::vector<wchar_t> system(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(system.data(), MAX_PATH);
    const std::string systemFolderName = utf8FromWide(std::wstring(system.data(), length));
    return {programFolder() + "Scintilla.dll", systemFolderName + "\\Scintilla.dll",
            programFolder() + "Compilers\\Scintilla.dll"};
}

TEST_F(OpenCommandTest, TheSearchTriesTheFourPlacesInOrderAndStopsAtTheFirstThatLoads) {
    const ProgramFolderCopy pureBasic(L"PB", L"PureBasic.exe");
    const std::wstring command = L"\"" + pureBasic.program() + L"\" /X \"D:\\a\\b.txt\" \"%1\"";
    ASSERT_TRUE(setOpenCommand(classesRoot, command));
    ASSERT_TRUE(setOpenCommand(machine, command));
    const std::vector<std::string> firstThree = firstThreePlaces();
    for (std::size_t attempt = 1; attempt <= firstThree.size(); ++attempt) {
        const auto end = firstThree.begin() + static_cast<std::ptrdiff_t>(attempt);
        EXPECT_EQ(namesTriedWhenLoading(attempt), std::vector<std::string>(firstThree.begin(), end));
    }
    std::vector<std::string> all = firstThree;
    all.push_back(utf8FromWide(pureBasic.libraryPath()));
    EXPECT_EQ(namesTriedWhenLoading(0), all);
}

TEST_F(OpenCommandTest, WithoutAFolderBelowARootThereIsNoFourthAttempt) {
    const std::vector<std::string> firstThree = firstThreePlaces();
    EXPECT_EQ(namesTriedWhenLoading(0), firstThree) << "no open command";
    for (const char* command : {"\"PureBasic.exe\" \"%1\"", "\"\\PB\\PureBasic.exe\" \"%1\""}) {
        ASSERT_TRUE(setOpenCommand(classesRoot, command));
        ASSERT_TRUE(setOpenCommand(machine, command));
        EXPECT_EQ(namesTriedWhenLoading(0), firstThree) << command;
    }
}

// Wine starts no program from a path longer than MAX_PATH, so the folder is
// 256 characters and the program's name one: a 255-character buffer would
// cut the path before the folder's last separator.
TEST(ProgramFolder, IsFoundForAProgramPathLongerThan255Characters) {
    constexpr std::size_t folderLength = 256;
    const std::size_t rootLength = ProgramFolderCopy::rootFolder().size();
    const ProgramFolderCopy copy(std::wstring(folderLength - rootLength - 2, L'd'), L"x");
    ASSERT_EQ(copy.folder().size(), folderLength);
    EXPECT_EQ(copy.runChild(L""), childCheckedExitCode);
}

}  // namespace
