// The clipboard under Wine: what CF_TEXT holds after a copy, what a Unicode
// reader gets, and a clipboard held open elsewhere.
#include "clipboard.h"

#include "ansi_text.h"
#include "utf8.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>

namespace {

// A window of the calling thread to open the clipboard for, as the program
// opens it for its main window.
HWND ownerWindow() {
    thread_local const HWND window = CreateWindowExA(0, "STATIC", "owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                     GetModuleHandleA(nullptr), nullptr);
    return window;
}

// The bytes of a clipboard block, the whole block, NULs included.
std::string clipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) {
        return "<cannot open>";
    }
    HANDLE data = GetClipboardData(format);
    if (data != nullptr) {
        const char* locked = static_cast<const char*>(GlobalLock(data));
        if (locked != nullptr) {
            bytes.assign(locked, GlobalSize(data));
            GlobalUnlock(data);
        }
    } else {
        bytes = "<none>";
    }
    CloseClipboard();
    return bytes;
}

// CF_TEXT's text up to its first NUL.
std::string clipboardText() {
    const std::string bytes = clipboardBytes(CF_TEXT);
    return bytes.substr(0, bytes.find('\0'));
}

std::wstring clipboardUnicodeText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) {
        return L"<cannot open>";
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data != nullptr) {
        const wchar_t* locked = static_cast<const wchar_t*>(GlobalLock(data));
        if (locked != nullptr) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

UINT localeAnsiCodePage(LCID locale) {
    DWORD codePage = 0;
    GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPSTR>(&codePage), static_cast<int>(sizeof(codePage)));
    return codePage;
}

// Holds the clipboard open on a thread of its own for the holder's lifetime,
// as another program would, through a window of its own.
class ClipboardHolder {
public:
    ClipboardHolder() {
        thread_ = std::thread([this]() {
            HWND window = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          GetModuleHandleA(nullptr), nullptr);
            opened_ = OpenClipboard(window) != FALSE;
            ready_ = true;
            while (!release_) {
                Sleep(5);
            }
            if (opened_) {
                CloseClipboard();
            }
            DestroyWindow(window);
        });
        while (!ready_) {
            Sleep(1);
        }
    }
    ~ClipboardHolder() {
        release_ = true;
        thread_.join();
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool opened() const { return opened_; }

private:
    std::thread thread_;
    std::atomic<bool> opened_{false};
    std::atomic<bool> ready_{false};
    std::atomic<bool> release_{false};
};

TEST(Clipboard, CopyPlacesTheBytesWithCrLfAndOneNul) {
    const std::string text = "Select MessageRequester(\"a\", \"b\", 0)\r\n  Case 1\r\nEndSelect";
    ASSERT_NE(clearClipboard(ownerWindow()), 0);
    ASSERT_NE(setClipboardText(ownerWindow(), text.c_str()), nullptr);

    const std::string block = clipboardBytes(CF_TEXT);
    ASSERT_GE(block.size(), text.size() + 1);
    EXPECT_EQ(block.substr(0, text.size() + 1), text + '\0');
    EXPECT_EQ(clipboardText(), text);
}

TEST(Clipboard, EmptyAndNullTextGiveAnEmptyText) {
    ASSERT_NE(setClipboardText(ownerWindow(), "x"), nullptr);
    ASSERT_NE(setClipboardText(ownerWindow(), ""), nullptr);
    EXPECT_EQ(clipboardBytes(CF_TEXT).substr(0, 1), std::string(1, '\0'));

    ASSERT_NE(setClipboardText(ownerWindow(), "x"), nullptr);
    ASSERT_NE(setClipboardText(ownerWindow(), nullptr), nullptr);
    EXPECT_EQ(clipboardBytes(CF_TEXT).substr(0, 1), std::string(1, '\0'));
}

TEST(Clipboard, SecondCopyReplacesTheFirst) {
    ASSERT_NE(setClipboardText(ownerWindow(), "first text, the longer one"), nullptr);
    ASSERT_NE(setClipboardText(ownerWindow(), "second"), nullptr);
    EXPECT_EQ(clipboardText(), "second");
}

TEST(Clipboard, HeldOpenElsewhereBothOperationsFailAndTheContentStays) {
    ASSERT_NE(setClipboardText(ownerWindow(), "old content"), nullptr);
    {
        const ClipboardHolder holder;
        ASSERT_TRUE(holder.opened());
        EXPECT_EQ(clearClipboard(ownerWindow()), 0);
        EXPECT_EQ(setClipboardText(ownerWindow(), "new content"), nullptr);
    }
    EXPECT_EQ(clipboardText(), "old content");
}

// Clipboard viewers and managers open the clipboard for a moment after each
// change; both operations wait for such a holder instead of failing at once.
TEST(Clipboard, HeldForAThirdOfASecondElsewhereBothOperationsWaitAndSucceed) {
    ASSERT_NE(setClipboardText(ownerWindow(), "old content"), nullptr);
    std::atomic<int> cleared{0};
    std::atomic<bool> placed{false};
    std::thread copier;
    {
        const ClipboardHolder holder;
        ASSERT_TRUE(holder.opened());
        copier = std::thread([&cleared, &placed]() {
            cleared = clearClipboard(ownerWindow());
            placed = setClipboardText(ownerWindow(), "new content") != nullptr;
        });
        Sleep(330);
    }
    copier.join();
    EXPECT_NE(cleared, 0);
    EXPECT_TRUE(placed);
    EXPECT_EQ(clipboardText(), "new content");
}

// However large the text, a block that cannot be allocated leaves the
// clipboard as it was: it is emptied only once the new block exists. SIZE_MAX
// is the size of a text too large to be sized; with its NUL it would wrap to
// an empty block.
TEST(Clipboard, TextWithoutMemoryForItsBlockLeavesTheFormerContent) {
    ASSERT_NE(setClipboardText(ownerWindow(), "old content"), nullptr);
    for (const std::size_t farBeyondAnyMemory : {SIZE_MAX - 1, SIZE_MAX}) {
        const ClipboardTextBlock block = allocateClipboardText(farBeyondAnyMemory);
        EXPECT_EQ(block.memory, nullptr) << farBeyondAnyMemory;
        EXPECT_EQ(placeClipboardText(ownerWindow(), block, allocateUnicodeClipboardText("new")), nullptr);
        EXPECT_EQ(clipboardText(), "old content");
    }
    // Nor does a text whose UTF-16 form found no memory: no format is placed
    // without the others.
    const ClipboardTextBlock block = allocateClipboardText(3);
    ASSERT_NE(block.memory, nullptr);
    EXPECT_EQ(placeClipboardText(ownerWindow(), block, nullptr), nullptr);
    EXPECT_EQ(clipboardText(), "old content");
}

// Set by the run under an English user locale beside the Russian system
// locale (tests/windows/CMakeLists.txt).
bool underEnglishUserLocale() {
    return GetEnvironmentVariableA("WIZARD_TEST_ENGLISH_USER_LOCALE", nullptr, 0) != 0;
}

// The system code page of the run: 1251 unless the run names another
// (tests/windows/CMakeLists.txt).
UINT codePageOfTheRun() {
    std::array<char, 16> value{};
    const DWORD length = GetEnvironmentVariableA("WIZARD_TEST_CODE_PAGE", value.data(), value.size());
    return length > 0 && length < value.size() ? static_cast<UINT>(std::strtoul(value.data(), nullptr, 10)) : 1251U;
}

// Whatever the system's code page, a text that Windows-1251 holds is
// Windows-1251 and tagged so.
TEST(Clipboard, UnicodeReaderGetsTheCyrillicText) {
    constexpr auto text = ansi("Привет, мир");
    constexpr const char* utf8 = "Привет, мир";
    ASSERT_EQ(GetACP(), codePageOfTheRun()) << "the run has the system code page it names";
    if (underEnglishUserLocale()) {
        ASSERT_EQ(localeAnsiCodePage(GetUserDefaultLCID()), 1252U) << "the platform would tag the text as English";
    }
    ASSERT_NE(setClipboardText(ownerWindow(), utf8), nullptr);
    EXPECT_EQ(clipboardText(), text.view());

    const std::string locale = clipboardBytes(CF_LOCALE);
    ASSERT_GE(locale.size(), sizeof(LCID)) << "the text is tagged with its locale";
    LCID tagged = 0;
    locale.copy(reinterpret_cast<char*>(&tagged), sizeof(tagged));
    EXPECT_EQ(localeAnsiCodePage(tagged), 1251U);
    EXPECT_EQ(clipboardUnicodeText(), L"\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440");
}

TEST(Clipboard, UnicodeReaderGetsTheCyrillicTextWhileAnEnglishLayoutIsActive) {
    HKL saved = GetKeyboardLayout(0);
    HKL english = LoadKeyboardLayoutA("00000409", KLF_ACTIVATE);
    const HANDLE placed = setClipboardText(ownerWindow(), "Привет");
    ActivateKeyboardLayout(saved, 0);
    ASSERT_NE(english, nullptr);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(clipboardUnicodeText(), L"\u041F\u0440\u0438\u0432\u0435\u0442");
}

BOOL WINAPI emptyingThatFails() {
    return FALSE;
}

bool writingThatStopsShort(std::string_view, wchar_t*, std::size_t) {
    return false;
}

// A text whose UTF-16 form cannot be written whole, as one of INT_MAX units
// or more cannot, and a clipboard that cannot be emptied: nothing is placed,
// the copy answers its failure, and the former content stays.
TEST(Clipboard, ATextNotWrittenWholeOrAClipboardNotEmptiedPlacesNothing) {
    std::array<wchar_t, 4> out{};
    EXPECT_FALSE(writeWideFromUtf8("abc", out.data(), INT_MAX));
    EXPECT_FALSE(writeWideFromUtf8("abc", out.data(), 4));
    EXPECT_TRUE(writeWideFromUtf8("abc", out.data(), 3));
    const ClipboardFunctions system = clipboardFunctions();
    for (const ClipboardFunctions& faulty : {ClipboardFunctions{system.emptyClipboard, writingThatStopsShort},
                                             ClipboardFunctions{emptyingThatFails, system.writeWide}}) {
        ASSERT_NE(setClipboardText(ownerWindow(), "old content"), nullptr);
        clipboardFunctions() = faulty;
        const HANDLE placed = setClipboardText(ownerWindow(), "new content");
        clipboardFunctions() = system;
        EXPECT_EQ(placed, nullptr);
        EXPECT_EQ(clipboardText(), "old content");
        EXPECT_EQ(clipboardUnicodeText(), L"old content");
    }
}

}  // namespace

// Words in any script reach Unicode readers exactly, surrogate pairs
// included. Readers of single-byte text get the Windows-1251 bytes, with "?"
// for what the code page cannot hold, unless only the system's own code page
// holds every character (German on an English or German Windows).
TEST(Clipboard, WordsInEveryScriptReachUnicodeReadersExactly) {
    const bool westernSystem = codePageOfTheRun() == 1252;
    const struct {
        const char* utf8;
        const wchar_t* unicode;
        std::string singleByte;
        UINT codePage;
    } rows[] = {
        {"Ёж — «ёлка» №1", L"\u0401\u0436 \u2014 \u00AB\u0451\u043B\u043A\u0430\u00BB \u21161",
         std::string(ansi("Ёж — «ёлка» №1").view()), 1251},
        {"Ελλάδα 日本語 😀", L"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \u65E5\u672C\u8A9E \U0001F600",
         "?????? ??? ??", 1251},
        {"e\xCC\x81 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", L"e\u0301 \u05E9\u05DC\u05D5\u05DD", "e? ????", 1251},
        {"Größe ändern", L"Gr\u00F6\u00DFe \u00E4ndern", westernSystem ? "Gr\xF6\xDF" "e \xE4ndern" : "Gro?e andern",
         westernSystem ? 1252U : 1251U},
        // Nearest letters in the system's code page do not count as holding.
        {"Zażółć", L"Za\u017C\u00F3\u0142\u0107", "Zazolc", 1251},
    };
    for (const auto& row : rows) {
        ASSERT_NE(setClipboardText(ownerWindow(), row.utf8), nullptr) << row.utf8;
        const std::string locale = clipboardBytes(CF_LOCALE);
        LCID tagged = 0;
        locale.copy(reinterpret_cast<char*>(&tagged), sizeof(tagged));
        EXPECT_EQ(localeAnsiCodePage(tagged), row.codePage) << row.utf8;
        const std::string unicode = clipboardBytes(CF_UNICODETEXT);
        const std::wstring expected = row.unicode;
        ASSERT_GE(unicode.size(), (expected.size() + 1) * sizeof(wchar_t)) << row.utf8;
        EXPECT_EQ(unicode.substr(0, (expected.size() + 1) * sizeof(wchar_t)),
                  std::string(reinterpret_cast<const char*>(expected.c_str()), (expected.size() + 1) * sizeof(wchar_t)))
            << row.utf8;
        EXPECT_EQ(clipboardText(), row.singleByte) << row.utf8;
    }
}
