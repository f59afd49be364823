// The compile-time UTF-8 to Windows-1251 conversion agrees with the C
// library's converter, and the option captions arrive as Windows-1251.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "ansi_text.h"
#include "message_box_options.h"

namespace {

std::string utf8From(char32_t codePoint) {
    std::string out;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

std::string iconvToCp1251(const std::string& utf8) {
    iconv_t cd = iconv_open("CP1251", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in = utf8;
    std::string out(in.size() + 1, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// Runs the literal converter on text built at run time, through a buffer of
// the literal's shape.
std::string convertAtRunTime(const std::string& utf8) {
    char literal[8] = {};
    utf8.copy(literal, utf8.size());
    return std::string(ansi(literal).view());
}

}  // namespace

TEST(AnsiText, EveryMappedCharacterMatchesTheCLibrary) {
    constexpr char32_t firstSurrogate = 0xD800;
    constexpr char32_t pastSurrogates = 0xE000;
    constexpr char32_t pastBasicPlane = 0x10000;
    // Every byte of the code page but 0x98, which it leaves undefined.
    constexpr int mappedBytes = 255;
    int mapped = 0;
    for (char32_t c = 0; c < pastBasicPlane; ++c) {
        if ((c >= firstSurrogate && c < pastSurrogates) || cp1251FromCodePoint(c) < 0) {
            continue;
        }
        ++mapped;
        if (c == 0) {
            continue;
        }
        const std::string utf8 = utf8From(c);
        EXPECT_EQ(convertAtRunTime(utf8), iconvToCp1251(utf8)) << "code point " << static_cast<unsigned>(c);
    }
    EXPECT_EQ(mapped, mappedBytes);
}

TEST(AnsiText, CaptionsReachTheProgramAsWindows1251) {
    EXPECT_EQ(std::string(iconTable[0].caption), iconvToCp1251("Нет иконки"));
    EXPECT_EQ(std::string(buttonSetTable[2].caption), iconvToCp1251("Прервать, Повторить, Игнорировать"));
    EXPECT_EQ(std::string(modalityTable[2].caption), iconvToCp1251("Системное"));
    constexpr auto converted = ansi("Ёж ©");
    EXPECT_EQ(std::string(converted.view()), iconvToCp1251("Ёж ©"));
    EXPECT_EQ(converted.c_str()[converted.size], '\0');
}
