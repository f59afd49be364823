// The message-text editor in the window: its configuration read back, and
// its text read as UTF-8 lines, and as Windows-1251 lines for the clipboard,
// whatever the line ends and the code page.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ansi_text.h"
#include "editor.h"
#include "main_window.h"
#include "preview_text.h"
#include "wizard_window.h"

namespace {

constexpr std::uint32_t opaque = 0xFF000000;

// Replaces the document with raw bytes in the editor's own encoding.
void setDocument(std::string_view bytes) {
    sendEditorMessage(gadgets::editor, sci::setText, 0, reinterpret_cast<LPARAM>(""));
    sendEditorMessage(gadgets::editor, sci::addText, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
}

}  // namespace

using Editor = WizardWindow;

TEST_F(Editor, ConfigurationTookEffect) {
    // Set on purpose, whatever the library's default.
    sendEditorMessage(gadgets::editor, sci::setCodePage, 0);
    configureEditor(gadgets::editor);
    EXPECT_EQ(sendEditorMessage(gadgets::editor, sci::getCodePage), sci::utf8CodePage);
    EXPECT_EQ(sendEditorMessage(gadgets::editor, sci::getViewWhitespace), 1);
    EXPECT_EQ(sendEditorMessage(gadgets::editor, sci::getCaretFore), RGB(129, 2, 126));
    EXPECT_EQ(sendEditorMessage(gadgets::editor, sci::getCaretWidth), 2);
    for (WPARAM margin = 0; margin < 3; ++margin) {
        EXPECT_EQ(sendEditorMessage(gadgets::editor, sci::getMarginWidthN, margin), 0) << "margin " << margin;
    }
    struct Element {
        WPARAM element;
        COLORREF colour;
    };
    for (const Element& want : {Element{sci::elementWhitespace, RGB(0, 0, 0)},
                                Element{sci::elementSelectionText, RGB(255, 255, 255)},
                                Element{sci::elementSelectionBack, RGB(15, 86, 204)}}) {
        EXPECT_NE(sendEditorMessage(gadgets::editor, sci::getElementIsSet, want.element), 0);
        const auto colour = static_cast<std::uint32_t>(sendEditorMessage(gadgets::editor, sci::getElementColour, want.element));
        EXPECT_EQ(colour, opaque | want.colour);
    }
}

TEST_F(Editor, EmptyEditorGivesOneEmptyLine) {
    EXPECT_TRUE(editorIsEmpty());
    EXPECT_EQ(readEditorLines().lines, EditorLineViews{""});
}

TEST_F(Editor, LineEndsOfEveryKindAreRemoved) {
    constexpr auto withUnmapped = ansi("Ёж ? №1 ?? ? ёж");
    constexpr auto withOverlong = ansi("Жукађђ");
    constexpr auto notUtf8 = ansi("рР");
    // The single-byte lines are the UTF-8 ones where they hold only ASCII.
    const struct {
        std::string_view document;
        EditorLineViews lines;
        EditorLineViews windows1251 = {};
    } cases[] = {
        {"abc", {"abc"}},
        {"abc\r\n", {"abc", ""}},
        {"abc\r\n\r\ndef", {"abc", "", "def"}},
        {"abc\n\ndef", {"abc", "", "def"}},
        {"abc\r\rdef", {"abc", "", "def"}},
        {" a\tb \r\n\t", {" a\tb ", "\t"}},
        {std::string_view("\0", 1), {""}},
        {std::string_view("a\r\n\0\r\nb", 7), {"a", "", "b"}},
        // Bytes that are not UTF-8 (another program put them there): each is
        // taken as its Windows-1251 character, and nothing is dropped.
        {"\r\n\xF0\xD0\r\xC3\xA4\n", {"", "рР", "ä", ""}, {"", notUtf8.view(), "a", ""}},
        // Characters the code page lacks, among ones it holds; the one outside
        // the basic plane is two UTF-16 units, each a "?".
        {"Ёж 中 №1 😀 λ ёж", {"Ёж 中 №1 😀 λ ёж"}, {withUnmapped.view()}},
        // An overlong form of a Cyrillic letter is not valid UTF-8.
        {"Жук\xE0\x90\x90", {"Жукађђ"}, {withOverlong.view()}},
    };
    for (const auto& each : cases) {
        setDocument(each.document);
        const EditorText read = readEditorLines();
        EXPECT_EQ(read.lines, each.lines) << each.document;
        EXPECT_EQ(windows1251Lines(read).lines, each.windows1251.empty() ? each.lines : each.windows1251)
            << each.document;
        EXPECT_FALSE(editorIsEmpty());
    }
}

TEST_F(Editor, OnlyLineEndsAreNotEmptyButGiveEmptyLines) {
    setDocument("\r\n");
    EXPECT_FALSE(editorIsEmpty());
    EXPECT_EQ(readEditorLines().lines, (EditorLineViews{"", ""}));
}

TEST_F(Editor, LineEndsAtItsFirstNul) {
    setDocument(std::string_view("ab\0cd\r\nxy", 9));
    EXPECT_EQ(readEditorLines().lines, (EditorLineViews{"ab", "xy"}));
}

TEST_F(Editor, SeveralMebibytesAreReadWhole) {
    constexpr std::size_t size = std::size_t{4} << 20U;
    std::string document;
    std::vector<std::string> expected;
    while (document.size() < size) {
        const std::string number = std::to_string(expected.size());
        document += "Строка 中😀 " + number + "\r\n";
        expected.push_back("Строка 中😀 " + number);
    }
    expected.emplace_back();
    setDocument(document);
    const EditorText read = readEditorLines();
    EXPECT_EQ(std::vector<std::string>(read.lines.begin(), read.lines.end()), expected);
}

TEST_F(Editor, CyrillicInTheUtf8DocumentReadsAsTyped) {
    ASSERT_EQ(sendEditorMessage(gadgets::editor, sci::getCodePage), sci::utf8CodePage);
    setDocument("Привет,\r\nмир!");
    const EditorText document = readEditorLines();
    EXPECT_EQ(document.lines, (EditorLineViews{"Привет,", "мир!"}));
    EXPECT_EQ(buildPreviewText(document.lines), "Привет,\nмир!");
    EXPECT_EQ(windows1251Lines(document).lines, (EditorLineViews{ansi("Привет,").view(), ansi("мир!").view()}));
}

TEST_F(Editor, CyrillicTypedIntoTheEditorReadsAsTyped) {
    const HWND editor = gadgetWindow(gadgets::editor);
    constexpr auto typed = ansi("Ёлка ©");
    for (const char character : typed.view()) {
        SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(character), 1);
    }
    EXPECT_EQ(readEditorLines().lines, EditorLineViews{"Ёлка ©"});
}

// Letters that the keyboard map lacks, typed as key input through the
// program's own loop and sent straight to the editor and the title field as
// an input method may do: a CJK letter, a Latin letter with an accent, and a
// letter beyond the 16-bit range (two UTF-16 units). They arrive exactly.
constexpr const wchar_t* lettersOutsideWindows1251 = L"a\u4E2D\u00E4\U0001F600b";
constexpr const char* lettersInWindows1251 = "a中ä😀b";

TEST_F(Editor, LettersOutsideWindows1251TypedIntoTheEditorOrTheTitleArriveExactly) {
    const std::wstring typed = lettersOutsideWindows1251;
    EXPECT_TRUE(runLoopWithScript({
        [] { focusGadget(gadgets::editor); },
        [&] {
            std::vector<INPUT> inputs;
            for (const wchar_t unit : typed) {
                for (const DWORD flags : {DWORD{KEYEVENTF_UNICODE}, DWORD{KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}) {
                    INPUT input{};
                    input.type = INPUT_KEYBOARD;
                    input.ki.wScan = unit;
                    input.ki.dwFlags = flags;
                    inputs.push_back(input);
                }
            }
            SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        },
    }));
    EXPECT_EQ(readEditorLines().lines, EditorLineViews{lettersInWindows1251});

    sendEditorMessage(gadgets::editor, sci::setText, 0, reinterpret_cast<LPARAM>(""));
    for (const wchar_t unit : typed) {
        SendMessageW(gadgetWindow(gadgets::editor), WM_CHAR, unit, 1);
    }
    EXPECT_EQ(readEditorLines().lines, EditorLineViews{lettersInWindows1251}) << "sent straight to the editor";

    for (const wchar_t unit : typed) {
        SendMessageW(gadgetWindow(gadgets::titleField), WM_CHAR, unit, 1);
    }
    EXPECT_EQ(readOptions().title, lettersInWindows1251) << "sent to the title field";

    // A surrogate without its partner, as an input method may leave it.
    SetWindowTextW(gadgetWindow(gadgets::titleField), std::wstring{L'a', wchar_t{0xD800}, L'b', wchar_t{0xDC00}}.c_str());
    EXPECT_EQ(readOptions().title, "a\uFFFDb\uFFFD");
}

TEST_F(Editor, SingleByteDocumentReadsAsWindows1251) {
    sendEditorMessage(gadgets::editor, sci::setCodePage, 0);
    const auto bytes = ansi("Текст\r\nещё");
    setDocument(bytes.view());
    EXPECT_EQ(readEditorLines().lines, (EditorLineViews{"Текст", "ещё"}));
}

TEST(EditorMissing, GivesNoLinesAndCountsAsEmpty) {
    ASSERT_EQ(gadgetWindow(gadgets::editor), nullptr);
    EXPECT_EQ(sendEditorMessage(gadgets::editor, sci::getLineCount), 0);
    EXPECT_TRUE(readEditorLines().lines.empty());
    EXPECT_TRUE(editorIsEmpty());
}
