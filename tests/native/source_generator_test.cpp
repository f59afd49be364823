// The generated source, byte for byte for the documented examples, and as a
// property: evaluated the way PureBasic would, its message text equals the
// preview text and its title equals the title field.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "basic_expression.h"
#include "choices.h"
#include "preview_text.h"
#include "saturated_size.h"
#include "source_generator.h"
#include "windows1251_oracle.h"

namespace {

MessageBoxSpec specFor(std::int32_t buttonSet, std::int32_t icon, std::int32_t modality, std::int32_t defaultButton) {
    return deriveSpec(choose(buttonSet, icon, modality, defaultButton));
}

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start <= list.size() && !list.empty()) {
        const std::size_t bar = list.find('|', start);
        fields.push_back(list.substr(start, bar - start));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    return fields;
}

}  // namespace

TEST(GenerateCall, DocumentedExamples) {
    EXPECT_EQ(generateCall(specFor(0, 0, 0, 0), "", {""}, true), "MessageRequester(\"\", \"\", #MB_OK)");

    EXPECT_EQ(generateCall(specFor(0, 4, 0, 0), "Info", {"Hello"}, false),
              "MessageRequester(\"Info\", \"Hello\", #MB_OK|#MB_ICONINFORMATION)");

    EXPECT_EQ(generateCall(specFor(4, 2, 1, 1), "Say \"hi\"", {"Line 1", "", "He said \"yes\""}, false),
              "Select MessageRequester(\"Say \" + Chr(34) + \"hi\" + Chr(34) + \"\", "
              "\"Line 1\"+Chr(10)+Chr(10)+\"He said \"+Chr(34)+\"yes\"+Chr(34)+\"\", "
              "#MB_YESNO|#MB_ICONQUESTION|#MB_TASKMODAL|#MB_DEFBUTTON2)\r\n"
              "Case #IdYes\r\nCase #IdNo\r\nEndSelect");

    EXPECT_EQ(generateCall(specFor(1, 1, 2, 0), "T", {"abc", ""}, false),
              "Select MessageRequester(\"T\", \"abc\"+Chr(10), #MB_OKCANCEL|#MB_ICONERROR|#MB_SYSTEMMODAL)\r\n"
              "Case #IdOK\r\nCase #IdCancel\r\nEndSelect");

    EXPECT_EQ(generateCall(specFor(2, 0, 0, 2), "", {"", "", ""}, false),
              "Select MessageRequester(\"\", Chr(10)+Chr(10), #MB_ABORTRETRYIGNORE|#MB_DEFBUTTON3)\r\n"
              "Case #IdAbort\r\nCase #IdRetry\r\nCase #IdIgnore\r\nEndSelect");

    EXPECT_EQ(generateCall(specFor(0, 0, 0, 0), "\"", {"\""}, false),
              "MessageRequester(\"\" + Chr(34) + \"\", \"\"+Chr(34)+\"\", #MB_OK)");
}

TEST(GenerateCall, EmptyDocumentIgnoresTheLines) {
    EXPECT_EQ(generateCall(specFor(0, 0, 0, 0), "t", {"stale", "lines"}, true), "MessageRequester(\"t\", \"\", #MB_OK)");
}

TEST(GenerateCall, DocumentReadingAsOneEmptyLineGivesTheEmptyString) {
    // Characters are there (documentIsEmpty is false) but the only line
    // began with a NUL; cutting back a line break would eat into the title.
    EXPECT_EQ(generateCall(specFor(4, 0, 0, 0), "T", {""}, false),
              "Select MessageRequester(\"T\", \"\", #MB_YESNO)\r\nCase #IdYes\r\nCase #IdNo\r\nEndSelect");
    EXPECT_EQ(generateCall(specFor(0, 0, 0, 0), "T", {}, false), "MessageRequester(\"T\", \"\", #MB_OK)");
}

TEST(GenerateCall, ExpressionEvaluatesToThePreviewText) {
    std::mt19937 random(20261207);
    // UTF-8 characters of several scripts beside the ASCII ones that the rules
    // act on: Cyrillic, accented Latin, Greek, CJK, an emoji, a combining
    // mark and Hebrew (right to left).
    const std::vector<std::string> alphabet = {"a", "b", " ", "Z", "\t", "\"", "\\", "+", ",", ")", "(", "Ё", "ж",
                                               "Я", "№", "ä", "é", "λ", "中", "😀", "\u0301", "ש"};
    auto randomText = [&](std::size_t maxLength) {
        std::string text;
        for (std::size_t n = std::uniform_int_distribution<std::size_t>(0, maxLength)(random); n > 0; --n) {
            text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        }
        return text;
    };

    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> texts(std::uniform_int_distribution<std::size_t>(1, 6)(random));
        for (std::string& line : texts) {
            line = std::uniform_int_distribution<int>(0, 2)(random) == 0 ? std::string() : randomText(10);
        }
        const EditorLineViews lines(texts.begin(), texts.end());
        const bool readsAsText = lines.size() > 1 || !lines.front().empty();
        const bool documentIsEmpty = !readsAsText;
        const std::string title = randomText(8);
        const MessageBoxSpec derived = specFor(round % 6, round % 6 - 1, round % 3, (round / 3) % 3);

        const std::string source = generateCall(derived, title, lines, documentIsEmpty);
        const std::optional<ParsedCall> call = parseCall(source);
        ASSERT_TRUE(call.has_value()) << source;
        EXPECT_EQ(call->message, buildPreviewText(lines)) << source;
        EXPECT_EQ(call->title, title) << source;
        EXPECT_EQ(call->flags, derived.flagsExpression);
        EXPECT_EQ(call->selectBlock, derived.useSelectBlock);
        EXPECT_EQ(call->cases, split(derived.resultIdList));

        // Where Windows-1251 holds every character, the call in that code
        // page is the call composed from the texts in it.
        std::vector<std::string> singleByteTexts;
        for (const std::string& line : texts) {
            singleByteTexts.push_back(iconvCp1251Prefix(line).written);
        }
        const Cp1251Prefix singleByteTitle = iconvCp1251Prefix(title);
        const Cp1251Prefix singleByteSource = iconvCp1251Prefix(source);
        if (singleByteSource.read == source.size()) {
            const EditorLineViews singleByteLines(singleByteTexts.begin(), singleByteTexts.end());
            EXPECT_EQ(singleByteSource.written,
                      generateCall(derived, singleByteTitle.written, singleByteLines, documentIsEmpty));
        }
    }
}

TEST(BuildPreviewText, JoinsLinesWithSingleLineFeeds) {
    EXPECT_EQ(buildPreviewText({}), "");
    EXPECT_EQ(buildPreviewText({""}), "");
    EXPECT_EQ(buildPreviewText({"", "", ""}), "\n\n");
    EXPECT_EQ(buildPreviewText({"abc", ""}), "abc\n");
    EXPECT_EQ(buildPreviewText({"say \"hi\"", "\tx "}), "say \"hi\"\n\tx ");
}

// The sizes of a message too large for memory stop at SIZE_MAX, which every
// allocation refuses, instead of wrapping round to a small size (a message of
// some 390 million quotes did so in the 32-bit program).
TEST(SaturatedSize, SumsAndProductsStopAtTheLargestSize) {
    constexpr std::size_t most = SIZE_MAX;
    constexpr std::size_t half = most / 2;
    const struct {
        std::size_t a;
        std::size_t b;
        std::size_t sum;
        std::size_t product;
    } cases[] = {
        {0, 0, 0, 0},
        {7, 3, 10, 21},
        {most, 0, most, 0},
        {0, most, most, 0},
        {most - 1, 1, most, most - 1},
        {most, 1, most, most},
        {half, 2, half + 2, most - 1},
        {half + 1, 2, half + 3, most},
        {half + 1, half + 1, most, most},
        {most / 10 + 1, 10, most / 10 + 11, most},
        {most, most, most, most},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(addSaturated(each.a, each.b), each.sum) << each.a << " + " << each.b;
        EXPECT_EQ(addSaturated(each.b, each.a), each.sum) << each.b << " + " << each.a;
        EXPECT_EQ(multiplySaturated(each.a, each.b), each.product) << each.a << " * " << each.b;
        EXPECT_EQ(multiplySaturated(each.b, each.a), each.product) << each.b << " * " << each.a;
    }
}
