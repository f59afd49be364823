// Working from the IDE: a call read back from source (every call the
// generator writes, the usual hand-written forms, and what is refused), and
// the IDE's tool variables with the selection they name.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "call_reader.h"
#include "choices.h"
#include "insert_plan.h"
#include "source_generator.h"
#include "tool_environment.h"
#include "utf8_text.h"

namespace {

// No line holds a line break; joined by LF they give the message.
std::string joinedLines(const ReadCall& call) {
    std::string text;
    for (const std::string& line : call.lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        text += (&line == &call.lines.front() ? "" : "\n") + line;
    }
    return text;
}

// Pieces of titles and lines in several scripts, with the characters that the
// call's syntax uses.
const std::vector<std::string> pieces = {
    "Привет, мир", "Ünïcödé café", "Ελληνικά", "漢字かな交じり", "😀🎉", "\"", "say \"hi\"", " ", "\t",
    "a+b", "Chr(10)", "#CRLF$", ",)|", "x",
};

std::string randomText(std::mt19937& random, std::size_t maxPieces) {
    std::string text;
    for (std::size_t n = std::uniform_int_distribution<std::size_t>(0, maxPieces)(random); n > 0; --n) {
        text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    }
    return text;
}

}  // namespace

// read(generate(x)) gives x: an icon list without a selection reads as
// "Нет иконки", and every text that the generator writes as the empty string
// (an empty document, no lines, one empty line) reads as one empty line.
TEST(ReadCall, ReadsBackEveryGeneratedCall) {
    std::mt19937 random(2024);
    const std::vector<std::vector<std::string>> corners = {{}, {""}, {"", ""}, {"abc", ""}, {"", "", ""}, {"", "x"}};
    for (std::int32_t combination = 0; combination < 6 * 6 * 3 * 3; ++combination) {
        const MessageBoxOptions options =
            choose(combination % 6, combination / 6 % 6 - 1, combination / 36 % 3, combination / 108);
        for (std::size_t round = 0; round < 12; ++round) {
            std::vector<std::string> texts = round < corners.size() ? corners[round] : std::vector<std::string>{};
            for (std::size_t n = round < corners.size() ? 0 : 1 + random() % 5; n > 0; --n) {
                texts.push_back(randomText(random, 3));
            }
            const bool documentIsEmpty = round == 0 || (texts.size() == 1 && texts[0].empty() && random() % 2 == 0);
            const std::string title = randomText(random, 3);
            const std::string source =
                generateCall(deriveSpec(options), title, EditorLineViews(texts.begin(), texts.end()), documentIsEmpty);

            const std::optional<ReadCall> call = readCall(source);
            ASSERT_TRUE(call.has_value()) << source;
            const std::string ascii = asciiOnlyCall(source);
            EXPECT_TRUE(std::all_of(ascii.begin(), ascii.end(), [](char c) { return c > 0; })) << ascii;
            const std::optional<ReadCall> asciiCall = readCall(ascii);
            ASSERT_TRUE(asciiCall.has_value()) << ascii;
            EXPECT_EQ(asciiCall->lines, call->lines) << ascii;
            EXPECT_EQ(asciiCall->options.title, call->options.title) << ascii;
            const bool noText = documentIsEmpty || texts.empty() || (texts.size() == 1 && texts[0].empty());
            EXPECT_EQ(call->lines, noText ? std::vector<std::string>{""} : texts) << source;
            EXPECT_EQ(call->options.title, title) << source;
            EXPECT_EQ(call->options.buttonSetIndex, options.buttonSetIndex) << source;
            EXPECT_EQ(call->options.iconIndex, std::max(options.iconIndex, 0)) << source;
            EXPECT_EQ(call->options.modalityIndex, options.modalityIndex) << source;
            EXPECT_EQ(call->options.defaultButtonIndex, options.defaultButtonIndex) << source;
        }
    }
}

TEST(ReadCall, ReadsHandWrittenCalls) {
    const struct {
        std::string source;
        std::array<std::int32_t, 4> entries;  // button set, icon, modality, default button
        std::string title;
        std::string message;  // the lines joined by LF
    } rows[] = {
        {"MessageRequester(\"T\", \"Hello\")", {0, 0, 0, 0}, "T", "Hello"},
        {" \r\n messagerequester ( \"T\" , \"a\" + #crlf$ + \"b\" , #mb_yesno | #MB_IconQuestion ) \r\n\n",
         {4, 2, 0, 0}, "T", "a\nb"},
        {"MessageRequester(\"T\",\"a\"+#LF$+\"b\"+#CR$+\"c\"+Chr(13)+Chr(10)+\"d\"+CHR( 13 )+\"\",#MB_ICONWARNING|#MB_OKCANCEL)",
         {1, 3, 0, 0}, "T", "a\nb\nc\nd\n"},
        {"MessageRequester(\"T\"+#DQUOTE$,\t\"x\"+Chr(34),\t#PB_MessageRequester_YesNoCancel|#PB_MessageRequester_Info)",
         {3, 4, 0, 0}, "T\"", "x\""},
        {"MessageRequester(\"\", \"\", #PB_MessageRequester_Ok | #PB_MessageRequester_Error)", {0, 1, 0, 0}, "", ""},
        {"MessageRequester(\"\", \"\", #pb_messagerequester_yesno|#PB_MessageRequester_Warning)", {4, 3, 0, 0}, "", ""},
        {"MessageRequester(\"\", \"\", #MB_DEFBUTTON3|#MB_SYSTEMMODAL|#MB_RETRYCANCEL|#MB_ICONASTERISK)",
         {5, 4, 2, 2}, "", ""},
        {"MessageRequester(\"\", \"\", #MB_ICONHAND|#MB_APPLMODAL|#MB_DEFBUTTON1|#MB_ABORTRETRYIGNORE)",
         {2, 1, 0, 0}, "", ""},
        {"MessageRequester(\"\", \"\", #MB_ICONSTOP|#MB_TASKMODAL)", {0, 1, 1, 0}, "", ""},
        {"MessageRequester(\"\", \"\", #MB_ICONEXCLAMATION|#MB_DEFBUTTON2)", {0, 3, 0, 1}, "", ""},
        {"\tselect MessageRequester(\"T\", \"\", #MB_YESNO)\n  case #IDNO\n\tDefault \r\n\r\n  Case #PB_MessageRequester_Yes\n"
         "endselect \r\n",
         {4, 0, 0, 0}, "T", ""},
        {"Select MessageRequester(\"T\", \"x\")\rCase #IdOK\rEndSelect", {0, 0, 0, 0}, "T", "x"},
        {"Select MessageRequester(\"T\", \"x\", #MB_OKCANCEL)\r\nEndSelect", {1, 0, 0, 0}, "T", "x"},
        {"MessageRequester(\"Заголовок Ελλάδα\", \"日本語\"+Chr(10)+\"😀 café\")", {0, 0, 0, 0}, "Заголовок Ελλάδα",
         "日本語\n😀 café"},
        // Continued lines, flags 0, escapes, the other string constants, any Chr().
        {"MessageRequester(\"T\",\r\n    \"a\" +\n  \"b\" ,\n 0)", {0, 0, 0, 0}, "T", "ab"},
        {"MessageRequester(\"T\", \"x\", #MB_YESNO |\r\n #MB_ICONERROR)", {4, 1, 0, 0}, "T", "x"},
        {"MessageRequester(~\"a\\\"b\\\\\", ~\"1\\n2\\t\\r\\a\")", {0, 0, 0, 0}, "a\"b\\", "1\n2\t\n\a"},
        {"MessageRequester(\"\"+#TAB$+Chr(9)+#DOUBLEQUOTE$+#Empty$, \"a\"+#LFCR$+\"b\")", {0, 0, 0, 0}, "\t\t\"",
         "a\n\nb"},
        {"MessageRequester(Chr(1046)+Chr($416)+Chr(0041), Chr($D83D)+Chr(56832))", {0, 0, 0, 0}, "ЖЖ)", "😀"},
        // Among other code: the one call is read, the rest left alone.
        {"If MessageRequester(\"Q\", \"Sure?\", #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes ; ask",
         {4, 0, 0, 0}, "Q", "Sure?"},
        {"Select MessageRequester(\"T\", \"x\", #MB_YESNO) ; answer\n  Case #IdYes : End\nEndSelect", {4, 0, 0, 0},
         "T", "x"},
    };
    for (const auto& row : rows) {
        const std::optional<ReadCall> call = readCall(row.source);
        ASSERT_TRUE(call.has_value()) << row.source;
        EXPECT_EQ(call->options.title, row.title) << row.source;
        EXPECT_EQ(joinedLines(*call), row.message) << row.source;
        const MessageBoxOptions& read = call->options;
        EXPECT_EQ((std::array{read.buttonSetIndex, read.iconIndex, read.modalityIndex, read.defaultButtonIndex}),
                  row.entries)
            << row.source;
    }
}

// Each refusal names what could not be read.
TEST(ReadCall, RefusesWhatItCannotReadExactly) {
    using U = UnreadSelection;
    const struct {
        std::string source;
        UnreadSelection reason;
    } refused[] = {
        {"", U::noCall}, {" \r\n", U::noCall}, {"; MessageRequester(\"a\", \"b\")", U::noCall},
        {"x$ = \"MessageRequester(\"", U::noCall}, {"#MessageRequester(\"a\", \"b\")", U::noCall},
        {"MessageRequesterX(\"a\", \"b\")", U::noCall}, {"SelectMessageRequester(\"a\", \"b\")", U::noCall},
        {"MessageRequester(\"a\", \"b\") : MessageRequester(\"c\", \"d\")", U::severalCalls},
        {"MessageRequester(\"a\", Str(MessageRequester(\"c\", \"d\")))", U::severalCalls},
        {"MessageRequester(\"a\", \"b\"", U::message}, {"MessageRequester(\"a\", \"b\",\n", U::flags},
        {"MessageRequester(Title$, \"b\")", U::title}, {"MessageRequester(\"a\" + #LF$, \"c\")", U::title},
        {"MessageRequester(Chr(13), \"c\")", U::title}, {"MessageRequester(\"a\" \"b\", \"c\")", U::title},
        {"MessageRequester(\"a, \"b\")", U::title}, {"MessageRequester(\n\"a\", \"b\")", U::title},
        {"MessageRequester(~\"\\q\", \"b\")", U::title}, {"MessageRequester(Chr(0), \"b\")", U::title},
        {"MessageRequester(Chr($D83D), \"b\")", U::title}, {"MessageRequester(Chr(56832), \"b\")", U::title},
        {"MessageRequester(Chr(65536), \"b\")", U::title}, {"MessageRequester(Chr(x), \"b\")", U::title},
        {"MessageRequester(\"a\")", U::message}, {"MessageRequester(\"a\", Str(5))", U::message},
        {"MessageRequester(\"a\", \"b\" + x$)", U::message}, {"MessageRequester(\"a\", \"b\" +)", U::message},
        {"MessageRequester(\"a\", #CRLF)", U::message}, {"MessageRequester(\"a\", #NOTAB$)", U::message},
        {"MessageRequester(\"a\", \"b)", U::message}, {"MessageRequester(\"a\", \"b\r\")", U::message},
        {std::string("MessageRequester(\"a\", \"\0\")", 26), U::message},
        {"MessageRequester(\"a\", \"b\" ; why\n)", U::message}, {"MessageRequester(\"a\",\n; why\n\"b\")", U::message},
        {"MessageRequester(\"a\", \"b\", #MB_OK, 5)", U::flags}, {"MessageRequester(\"a\", \"b\", )", U::flags},
        {"MessageRequester(\"a\", \"b\", 4)", U::flags}, {"MessageRequester(\"a\", \"b\", 0|#MB_OK)", U::flags},
        {"MessageRequester(\"a\", \"b\", #MB_YESNO|#MB_HELP)", U::flags},
        {"MessageRequester(\"a\", \"b\", #MB_ICONERROR|#MB_ICONQUESTION)", U::flags},
        {"MessageRequester(\"a\", \"b\", #MB_OK|#MB_YESNO)", U::flags}, {"MessageRequester(\"a\", \"b\", #MB_OK|)", U::flags},
        {"MessageRequester(\"a\", \"b\", #MB_OK$)", U::flags}, {"MessageRequester(\"a\", \"b\", Flags)", U::flags},
    };
    for (const auto& row : refused) {
        const SelectionReading reading = readSelection(row.source, ByteRange{0, row.source.size()});
        EXPECT_FALSE(reading.call.has_value()) << row.source;
        EXPECT_EQ(static_cast<int>(reading.unread), static_cast<int>(row.reason)) << row.source;
    }
}

// Bytes of a single-byte source reach the window as its code page shows them.
TEST(ReadCall, LiteralsPassThroughTheDecoder) {
    const std::string source = "MessageRequester(\"\xC7\xE0\", ~\"\xFF\\n\" + Chr(1046))";
    const SelectionReading reading = readSelection(source, ByteRange{0, source.size()}, utf8FromWindows1251);
    ASSERT_TRUE(reading.call.has_value());
    EXPECT_EQ(reading.call->options.title, "За");
    EXPECT_EQ(reading.call->lines, (std::vector<std::string>{"я", "Ж"}));
}

TEST(ToolEnvironment, ParsesHandlesCursorAndSelection) {
    // Only a handle's low 32 bits name a window, whatever the sign it is written with.
    const struct {
        std::string text;
        std::optional<std::uint32_t> handle;
    } handles[] = {
        {"12345", 12345}, {"0012", 12}, {"-2147478988", 0x80001234}, {"-4294770590", 0x30062}, {"-1", UINT32_MAX},
        {"4294967296", {}}, {"18446744073709551615", UINT32_MAX}, {"18446744073709551616", {}}, {"-", {}},
        {"--5", {}}, {"99999999999999999999999", {}}, {"0", {}}, {"-0", {}}, {"", {}}, {"+5", {}}, {" 5", {}},
        {"5 ", {}}, {"0x1F", {}}, {"12a", {}},
    };
    for (const auto& row : handles) {
        EXPECT_EQ(parseWindowHandle(row.text), row.handle) << row.text;
    }

    const struct {
        std::string text;
        std::vector<std::size_t> numbers;  // empty when refused
    } selections[] = {
        {"12x5x14x1", {12, 5, 14, 1}}, {"1x1x1x1", {1, 1, 1, 1}}, {"0x1x1x1", {}}, {"1x1x1x0", {}}, {"1x1x1", {}},
        {"1x1x1x1x1", {}}, {"1x1xx1", {}}, {"x1x1x1", {}}, {"1x1x1x1x", {}}, {"1X1X1X1", {}}, {" 1x1x1x1", {}},
        {"1x-1x1x1", {}}, {"1x1x1x99999999999999999999", {}}, {"", {}},
    };
    for (const auto& row : selections) {
        const std::optional<TextSelection> selection = parseToolSelection(row.text);
        ASSERT_EQ(selection.has_value(), !row.numbers.empty()) << row.text;
        if (selection) {
            EXPECT_EQ((std::vector<std::size_t>{selection->start.line, selection->start.column, selection->end.line,
                                                selection->end.column}),
                      row.numbers);
        }
    }
    const std::optional<TextPosition> cursor = parseToolCursor("3x7");
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->line * 100 + cursor->column, 307U);
    for (const char* text : {"3x0", "3", "3x7x1", "3x", "x7", "3x7 "}) {
        EXPECT_FALSE(parseToolCursor(text).has_value()) << text;
    }
}

// Columns count code points; CR LF, CR and LF end lines; the end is exclusive.
TEST(ToolEnvironment, FindsTheSelectedBytes) {
    const std::string document = "ab\r\nПривет😀x\nΩ\rend";
    const struct {
        std::string_view text;
        std::string selection;
        std::optional<std::pair<std::size_t, std::size_t>> bytes;
    } rows[] = {
        {document, "1x1x1x1", {{0, 0}}},   {document, "1x1x1x3", {{0, 2}}},   {document, "1x3x2x1", {{2, 4}}},
        {document, "2x1x2x7", {{4, 16}}},  {document, "2x7x2x8", {{16, 20}}}, {document, "2x9x2x9", {{21, 21}}},
        {document, "3x1x3x2", {{22, 24}}}, {document, "4x1x4x4", {{25, 28}}}, {document, "1x1x4x4", {{0, 28}}},
        {document, "2x10x2x10", {}},       {document, "1x4x2x1", {}},         {document, "4x5x4x5", {}},
        {document, "5x1x5x1", {}},         {document, "2x3x2x2", {}},         {document, "2x3x1x2", {}},
        {"", "1x1x1x1", {{0, 0}}},         {"", "1x1x2x1", {}},               {"a\n", "2x1x2x1", {{2, 2}}},
    };
    for (const auto& row : rows) {
        const std::optional<ByteRange> range = findSelectedBytes(row.text, *parseToolSelection(row.selection));
        ASSERT_EQ(range.has_value(), row.bytes.has_value()) << row.selection;
        if (range) {
            EXPECT_EQ(std::make_pair(range->start, range->end), *row.bytes) << row.selection;
            const TextPosition end = positionOfByte(row.text, range->end, ColumnUnit::utf8Character);
            EXPECT_EQ(std::to_string(end.line) + "x" + std::to_string(end.column), row.selection.substr(4))
                << row.selection;
        }
    }
    // A single-byte source counts every byte as a column.
    const std::optional<ByteRange> bytes = findSelectedBytes("a\xB9\xB8\xA8\r\n", *parseToolSelection("1x2x1x4"),
                                                             ColumnUnit::byte);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(std::make_pair(bytes->start, bytes->end), std::make_pair(std::size_t{1}, std::size_t{3}));
    EXPECT_EQ(positionOfByte("a\xB9\xB8\xA8\r\n", 3, ColumnUnit::byte).column, 4U);
}

// The lines a selection lies on; a selection of whole lines ends where it ends.
TEST(ToolEnvironment, LinesAroundASelection) {
    const std::string document = "a = 1\r\n  b\nc = 3";
    const struct {
        std::size_t start, end, linesStart, linesEnd;
    } rows[] = {{0, 0, 0, 5}, {2, 3, 0, 5}, {9, 9, 7, 10}, {7, 11, 7, 11}, {3, 12, 0, 16}, {12, 16, 11, 16}};
    for (const auto& row : rows) {
        const ByteRange lines = linesAround(document, ByteRange{row.start, row.end});
        EXPECT_EQ(std::make_pair(lines.start, lines.end), std::make_pair(row.linesStart, row.linesEnd)) << row.start;
    }
}
