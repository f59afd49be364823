// Compile-time conversion of UTF-8 string literals to Windows-1251 bytes, so
// that the Russian texts stay readable in the source and reach the platform's
// single-byte ("A") calls as the bytes it expects.
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

// Maps one Unicode code point to its Windows-1251 byte; answers -1 when the
// code page has no such character.
constexpr int cp1251FromCodePoint(char32_t codePoint) {
    if (codePoint < 0x80) {
        return static_cast<int>(codePoint);
    }
    if (codePoint >= 0x0410 && codePoint <= 0x044F) {
        return static_cast<int>(codePoint - 0x0410 + 0xC0);
    }
    switch (codePoint) {
    case 0x0401: return 0xA8;  // Ё
    case 0x0451: return 0xB8;  // ё
    case 0x00A0: return 0xA0;  // no-break space
    case 0x00A9: return 0xA9;  // ©
    case 0x00AB: return 0xAB;  // «
    case 0x00BB: return 0xBB;  // »
    case 0x00B0: return 0xB0;  // °
    case 0x2013: return 0x96;  // –
    case 0x2014: return 0x97;  // —
    case 0x2116: return 0xB9;  // №
    default: return -1;
    }
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
