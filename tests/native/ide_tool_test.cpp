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
#include "source_generator.h"
#include "tool_environment.h"

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

TEST(ReadCall, RefusesWhatItCannotReadExactly) {
    const std::string refused[] = {
        "", " \r\n", "MessageRequester(Title$, \"b\")", "MessageRequester(\"a\", Str(5))",
        "MessageRequester(\"a\", \"b\" + x$)", "Result = MessageRequester(\"a\", \"b\")", "MessageRequester(\"a\")",
        "MessageRequester(\"a\", \"b\", #MB_OK, 5)", "MessageRequester(\"a\", \"b\"", "MessageRequester(\"a\" \"b\", \"c\")",
        "MessageRequester(\"a\", \"b\" +)", "MessageRequester(\"a\", \"b\", )", "MessageRequester(\"a\", \"b\", 4)",
        "MessageRequester(\"a\", \"b\", #MB_YESNO|#MB_HELP)", "MessageRequester(\"a\", \"b\", #MB_ICONERROR|#MB_ICONQUESTION)",
        "MessageRequester(\"a\", \"b\", #MB_OK|#MB_YESNO)", "MessageRequester(\"a\", \"b\", #MB_OK|#MB_OK)",
        "MessageRequester(\"a\", \"b\", #MB_OK|)", "MessageRequester(\"a\", \"b\", #MB_OK$)",
        "MessageRequester(\"a\", Chr(9))", "MessageRequester(\"a\", Chr(10)", "MessageRequester(\"a\", Chr(010))",
        "MessageRequester(\"a\", #CRLF)", "MessageRequester(\"a\", #TAB$)", "MessageRequester(\"a\" + #LF$, \"c\")",
        "MessageRequester(Chr(13), \"c\")", "MessageRequester(\"a, \"b\")", "MessageRequester(\"a\", \"b)",
        "MessageRequester(\"a\nb\", \"c\")", "MessageRequester(\"a\", \"b\r\")", std::string("MessageRequester(\"a\", \"\0\")", 26),
        "MessageRequester(\"a\", \"b\") : Debug 1", "MessageRequester(\"a\", \"b\")\nDebug 1",
        "MessageRequester(\"a\", \"b\")\nEndSelect", "MessageRequesterX(\"a\", \"b\")", "SelectMessageRequester(\"a\", \"b\")",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO)\nCase #IdYes",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO)\nCase #IdYes\n  Debug 1\nEndSelect",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO)\nCase #IdOK\nEndSelect",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO)\nCase #IdYes\nCase #IdYes\nEndSelect",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO)\nDefault\nDefault\nEndSelect",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO)\nCase #IdYes, #IdNo\nEndSelect",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO) Case #IdYes\nEndSelect",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO)\nEndSelect\nEndSelect",
        "Select MessageRequester(\"a\", \"b\", #MB_YESNO) EndSelect",
    };
    for (const std::string& source : refused) {
        EXPECT_FALSE(readCall(source).has_value()) << source;
    }
}

TEST(ToolEnvironment, ParsesHandlesCursorAndSelection) {
    const struct {
        std::string text;
        std::optional<std::uint64_t> handle;
    } handles[] = {
        {"12345", 12345}, {"0012", 12}, {"18446744073709551615", UINT64_MAX}, {"18446744073709551616", {}},
        {"99999999999999999999999", {}}, {"0", {}}, {"", {}}, {"-5", {}}, {"+5", {}}, {" 5", {}}, {"5 ", {}},
        {"0x1F", {}}, {"12a", {}},
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
        }
    }
}
