// Which code page a text that Windows-1251 cannot hold whole is tried in, over
// the systems' code pages.
#include <gtest/gtest.h>

#include <optional>

#include "single_byte_code_page.h"

TEST(SingleByteCodePage, OnlyTheSystemsOwnSingleByteCodePageSharedByTheUsersLocaleIsTried) {
    constexpr std::optional<unsigned int> none;
    const struct {
        unsigned int system;
        unsigned int userLocale;
        std::optional<unsigned int> tried;
    } rows[] = {
        {1252, 1252, 1252},  // English, German, French
        {1250, 1250, 1250},  // Polish, Czech
        {874, 874, 874},     // Thai
        {1251, 1251, none},  // Russian: what 1251 lacks stays as it always was
        {1251, 1252, none},  // an English user locale on a Russian system
        {1252, 1251, none},  // a Russian user locale on an English system
        {1252, 1250, none},
        {65001, 65001, none},  // the UTF-8 option
        {65001, 0, none},  // a locale without a code page of its own (Hindi)
        {0, 0, none},
        {932, 932, none},  // Japanese, Chinese: two bytes a character
        {936, 936, none},
        {437, 437, none},  // an OEM code page is no ANSI one
    };
    for (const auto& row : rows) {
        EXPECT_EQ(codePageToTry(row.system, row.userLocale), row.tried) << row.system << " " << row.userLocale;
    }
}
