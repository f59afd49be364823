// The message-text editor in the window: its configuration read back, and
// its text read as Windows-1251 lines whatever the line ends and the code page.
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

std::string text(std::string_view view) {
    return std::string(view);
}

}  // namespace

using Editor = WizardWindow;

TEST_F(Editor, ConfigurationTookEffect) {
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
    constexpr auto withOverlong = ansi("Жук??");
    const struct {
        std::string_view document;
        EditorLineViews lines;
    } cases[] = {
        {"abc", {"abc"}},
        {"abc\r\n", {"abc", ""}},
        {"abc\r\n\r\ndef", {"abc", "", "def"}},
        {"abc\n\ndef", {"abc", "", "def"}},
        {"abc\r\rdef", {"abc", "", "def"}},
        {" a\tb \r\n\t", {" a\tb ", "\t"}},
        {std::string_view("\0", 1), {""}},
        {std::string_view("a\r\n\0\r\nb", 7), {"a", "", "b"}},
        // Not UTF-8: each line converted on its own, as it always was.
        {"\r\n\xF0\xD0\r\xC3\xA4\n", {"", "?", "a", ""}},
        // Characters the code page lacks, among ones it holds; the one outside
        // the basic plane is two UTF-16 units, each a "?".
        {"Ёж 中 №1 😀 λ ёж", {withUnmapped.view()}},
        // An overlong form of a Cyrillic letter is not valid UTF-8.
        {"Жук\xE0\x90\x90", {withOverlong.view()}},
    };
    for (const auto& each : cases) {
        setDocument(each.document);
        EXPECT_EQ(readEditorLines().lines, each.lines) << each.document;
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
    constexpr auto ansiHead = ansi("Строка ");
    std::string document;
    std::vector<std::string> expected;
    while (document.size() < size) {
        const std::string number = std::to_string(expected.size());
        document += "Строка " + number + "\r\n";
        expected.push_back(text(ansiHead.view()) + number);
    }
    expected.emplace_back();
    setDocument(document);
    const EditorText read = readEditorLines();
    EXPECT_EQ(std::vector<std::string>(read.lines.begin(), read.lines.end()), expected);
}

TEST_F(Editor, CyrillicInTheUtf8DocumentReadsAsWindows1251) {
    ASSERT_EQ(sendEditorMessage(gadgets::editor, sci::getCodePage), sci::utf8CodePage);
    setDocument("Привет,\r\nмир!");
    const EditorText document = readEditorLines();
    EXPECT_EQ(document.lines, (EditorLineViews{ansi("Привет,").view(), ansi("мир!").view()}));
    EXPECT_EQ(buildPreviewText(document.lines), text(ansi("Привет,\nмир!").view()));
}

TEST_F(Editor, CyrillicTypedIntoTheEditorReadsAsWindows1251) {
    const HWND editor = gadgetWindow(gadgets::editor);
    constexpr auto typed = ansi("Ёлка ©");
    for (const char character : typed.view()) {
        SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(character), 1);
    }
    EXPECT_EQ(readEditorLines().lines, EditorLineViews{typed.view()});
}

// Letters that the keyboard map lacks, typed as key input through the
// program's own loop and sent straight to the editor and the title field as
// an input method may do: a CJK letter, a Latin letter that the code page maps
// to its best fit, and a letter beyond the 16-bit range (two UTF-16 units,
// each replaced).
constexpr const wchar_t* lettersOutsideWindows1251 = L"a\u4E2D\u00E4\U0001F600b";
constexpr const char* lettersInWindows1251 = "a?a??b";

TEST_F(Editor, LettersOutsideWindows1251TypedIntoTheEditorOrTheTitleArriveAsTheCodePageGivesThem) {
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
}

TEST_F(Editor, SingleByteDocumentPassesUnchanged) {
    sendEditorMessage(gadgets::editor, sci::setCodePage, 0);
    const auto bytes = ansi("Текст\r\nещё");
    setDocument(bytes.view());
    EXPECT_EQ(readEditorLines().lines, (EditorLineViews{ansi("Текст").view(), ansi("ещё").view()}));
}

TEST(EditorMissing, GivesNoLinesAndCountsAsEmpty) {
    ASSERT_EQ(gadgetWindow(gadgets::editor), nullptr);
    EXPECT_EQ(sendEditorMessage(gadgets::editor, sci::getLineCount), 0);
    EXPECT_TRUE(readEditorLines().lines.empty());
    EXPECT_TRUE(editorIsEmpty());
}
