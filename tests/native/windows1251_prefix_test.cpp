// The table conversion from UTF-8 to Windows-1251 against the C library's
// converter: every one-, two- and three-byte sequence, and texts that mix
// characters the table converts with the rest.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "windows1251_oracle.h"
#include "windows1251_prefix.h"
#include "utf8_text.h"

namespace {

void expectAsTheCLibrary(std::string_view utf8) {
    std::string out(utf8.size(), '\0');
    const ConvertedPrefix converted = convertMappedPrefix(utf8, out.data());
    const Cp1251Prefix expected = iconvCp1251Prefix(utf8);
    const std::string shown = testing::PrintToString(utf8);
    ASSERT_EQ(converted.read, expected.read) << shown;
    ASSERT_EQ(out.substr(0, converted.written), expected.written) << shown;
    ASSERT_EQ(unmappedRunLength(utf8), iconvUnconvertedRunLength(utf8)) << shown;
}

std::string bytes(std::initializer_list<unsigned> values) {
    std::string text;
    for (const unsigned value : values) {
        text += static_cast<char>(value);
    }
    return text;
}

}  // namespace

// Each lead byte before each second byte, alone and before third bytes of
// every kind: ASCII, continuations at both ends and in between, and leads.
TEST(Windows1251Prefix, EveryShortSequenceConvertsAsTheCLibraryConvertsIt) {
    constexpr unsigned thirds[] = {0x00, 0x41, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xD0, 0xE2, 0xF0};
    for (unsigned lead = 0; lead <= 0xFF; ++lead) {
        expectAsTheCLibrary(bytes({lead}));
        for (unsigned second = 0; second <= 0xFF; ++second) {
            expectAsTheCLibrary(bytes({lead, second}));
            for (const unsigned third : thirds) {
                expectAsTheCLibrary(bytes({lead, second, third}));
            }
        }
    }
}

// Every three-byte form, the overlong ones (lead 0xE0 below 0xA0) and the
// surrogates (lead 0xED from 0xA0) among them.
TEST(Windows1251Prefix, EveryThreeByteFormConvertsAsTheCLibraryConvertsIt) {
    for (unsigned lead = 0xE0; lead <= 0xEF; ++lead) {
        for (unsigned second = 0x80; second <= 0xBF; ++second) {
            for (unsigned third = 0x80; third <= 0xBF; ++third) {
                expectAsTheCLibrary(bytes({lead, second, third}));
            }
        }
    }
}

TEST(Windows1251Prefix, TextsThatMixConvertedAndOtherCharacters) {
    using namespace std::string_view_literals;
    const std::string_view texts[] = {
        ""sv,
        "plain ASCII with a NUL \0 inside"sv,
        "Привет, мир — «ёжик» № 5 €"sv,
        "Ёж\xC3\xA4 and more"sv,  // ä has no byte: the prefix stops before it
        "\xF0\x9F\x98\x80 after an emoji"sv,  // four bytes, then text
        "\xE2\x82 truncated euro"sv,  // the lead claims three bytes
        "\xE0\x90\x90 overlong А"sv,  // an overlong form of U+0410
        "\xC0\x80 overlong NUL"sv,
        "\xD0\x41 lead without its continuation"sv,
        "\xE2\x80\x41 three-byte lead with one continuation"sv,
        "\xC2\x98 the code page's undefined byte"sv,
        "\xED\xA0\x80 a surrogate"sv,
        "\xF8\x88\x80\x80\x80 five bytes"sv,
        "abc\xFF\xFE\x80 stray bytes"sv,
    };
    for (const std::string_view text : texts) {
        expectAsTheCLibrary(text);
        // Every suffix, so that each run and prefix starts at every position.
        for (std::size_t start = 1; start < text.size(); ++start) {
            expectAsTheCLibrary(text.substr(start));
        }
    }
}

// Bytes that are no UTF-8 are each taken as their Windows-1251 character;
// well-formed sequences of every length pass unchanged.
TEST(Utf8Text, EachByteThatIsNoUtf8IsTakenAsItsWindows1251Character) {
    const struct {
        std::string bytes;
        std::size_t validLength;
        std::string utf8;
    } rows[] = {
        {"plain ASCII, longer than a word", 31, "plain ASCII, longer than a word"},
        {"Ёж ä 中 😀", 16, "Ёж ä 中 😀"},
        {bytes({0xF0, 0xD0}), 0, "рР"},                          // single-byte Cyrillic
        {bytes({'a', 0xC3}), 1, "aГ"},                          // cut short at the end
        {bytes({0xE0, 0x90, 0x90}), 0, "ађђ"},                  // overlong
        {bytes({0xC0, 0xAF}), 0, "АЇ"},                          // overlong "/"
        {bytes({0xED, 0xA0, 0x80}), 0, "н\u00A0Ђ"},             // a surrogate
        {bytes({0xF4, 0x90, 0x80, 0x80}), 0, "фђЂЂ"},          // beyond U+10FFFF
        {bytes({0x98, 0xE2, 0x82}), 0, "\u0098в\u201A"},         // undefined in the code page
        {bytes({'o', 'k', 0xF0, 0x9F, 0x98, '!'}), 2, "okрџ\u0098!"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(validUtf8Length(row.bytes), row.validLength) << testing::PrintToString(row.bytes);
        EXPECT_EQ(utf8WithWindows1251Fallback(row.bytes), row.utf8) << testing::PrintToString(row.bytes);
    }
    EXPECT_EQ(utf8FromWindows1251(bytes({0xC0, 0xFF, 0xA8, 0x98, 'a'})), "АяЁ\u0098a");
    const Utf8Counts counts = countUtf8("Ёж ä 中 😀\r\n");
    EXPECT_EQ(counts.characters, 10U);
    EXPECT_EQ(counts.supplementary, 1U);
}
