#include "windows1251_oracle.h"

#include <iconv.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::size_t longestSequence = 4;

// One converter for the whole run, brought back to its initial state for
// each character.
iconv_t converter() {
    static const iconv_t opened = iconv_open("CP1251", "UTF-8");
    if (opened == reinterpret_cast<iconv_t>(-1)) {
        std::abort();
    }
    iconv(opened, nullptr, nullptr, nullptr, nullptr);
    return opened;
}

// The character at the start of text, as iconv converts it with room for one
// byte: the bytes it read and whether it wrote its byte. The C library skips
// the Unicode tag characters without a byte; they count as not converted.
struct FirstCharacter {
    std::size_t read = 0;
    bool converted = false;
    char byte = 0;
};

FirstCharacter firstCharacter(std::string_view text) {
    std::string in(text.substr(0, longestSequence));
    FirstCharacter first;
    char* inAt = in.data();
    char* outAt = &first.byte;
    std::size_t inLeft = in.size();
    std::size_t outLeft = 1;
    iconv(converter(), &inAt, &inLeft, &outAt, &outLeft);
    first.read = in.size() - inLeft;
    first.converted = first.read > 0 && outLeft == 0;
    return first;
}

// The bytes a lead byte claims: the UTF-8 lead bytes of two, three and four
// bytes, and one for every other byte.
std::size_t claimedLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF7) {
        return 4;
    }
    return 1;
}

}  // namespace

Cp1251Prefix iconvCp1251Prefix(std::string_view utf8) {
    Cp1251Prefix prefix;
    while (prefix.read < utf8.size()) {
        const FirstCharacter first = firstCharacter(utf8.substr(prefix.read));
        if (!first.converted) {
            break;
        }
        prefix.read += first.read;
        prefix.written += first.byte;
    }
    return prefix;
}

std::size_t iconvUnconvertedRunLength(std::string_view utf8) {
    std::size_t at = 0;
    while (at < utf8.size() && !firstCharacter(utf8.substr(at)).converted) {
        at += claimedLength(static_cast<unsigned char>(utf8[at]));
    }
    return std::min(at, utf8.size());
}
