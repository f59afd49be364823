// Compile-time conversion of UTF-8 string literals to Windows-1251 bytes, so
// that the Russian texts stay readable in the source and are kept as the
// single-byte texts the program works on.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

template <std::size_t Capacity>
struct AnsiText {
    std::array<char, Capacity> bytes{};
    std::size_t size = 0;

    constexpr std::string_view view() const { return std::string_view(bytes.data(), size); }
    constexpr const char* c_str() const { return bytes.data(); }
};

// The characters of Windows-1251 bytes 0x80 to 0xBF; 0 where the code page
// defines none (0x98). Bytes 0xC0 to 0xFF are U+0410 to U+044F in order.
inline constexpr std::array<char16_t, 64> cp1251UpperCharacters = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

inline constexpr char32_t firstCyrillicLetter = 0x0410;
inline constexpr char32_t lastCyrillicLetter = 0x044F;

// Maps one Unicode code point to its Windows-1251 byte; answers -1 when the
// code page has no such character.
constexpr int cp1251FromCodePoint(char32_t codePoint) {
    constexpr int firstLetterByte = 0xC0;
    constexpr int firstUpperByte = 0x80;
    if (codePoint < 0x80) {
        return static_cast<int>(codePoint);
    }
    if (codePoint >= firstCyrillicLetter && codePoint <= lastCyrillicLetter) {
        return static_cast<int>(codePoint - firstCyrillicLetter) + firstLetterByte;
    }
    for (std::size_t i = 0; i < cp1251UpperCharacters.size(); ++i) {
        if (cp1251UpperCharacters[i] != 0 && cp1251UpperCharacters[i] == codePoint) {
            return firstUpperByte + static_cast<int>(i);
        }
    }
    return -1;
}

// Converts a UTF-8 literal up to its first NUL; a malformed or unmappable character makes the
// conversion fail to compile when it is used in a constant expression.
template <std::size_t N>
constexpr AnsiText<N> ansi(const char (&utf8)[N]) {
    AnsiText<N> out{};
    std::size_t i = 0;
    while (i + 1 < N && utf8[i] != '\0') {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t codePoint = 0;
        std::size_t extra = 0;
        if (lead < 0x80) {
            codePoint = lead;
        } else if ((lead & 0xE0U) == 0xC0U) {
            codePoint = lead & 0x1FU;
            extra = 1;
        } else if ((lead & 0xF0U) == 0xE0U) {
            codePoint = lead & 0x0FU;
            extra = 2;
        } else {
            throw "unsupported UTF-8 sequence";
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k + 1 >= N) {
                throw "truncated UTF-8 sequence";
            }
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0U) != 0x80U) {
                throw "malformed UTF-8 sequence";
            }
            codePoint = (codePoint << 6U) | (next & 0x3FU);
        }
        const int byte = cp1251FromCodePoint(codePoint);
        if (byte < 0) {
            throw "character outside Windows-1251";
        }
        out.bytes[out.size] = static_cast<char>(byte);
        ++out.size;
        i += extra + 1;
    }
    return out;
}
