#include "single_byte_code_page.h"

#include <algorithm>
#include <array>

namespace {

// The ANSI code pages of Windows that give every character one byte: Thai,
// and Central European to Vietnamese.
constexpr std::array<unsigned int, 10> singleByteAnsiCodePages = {874,  1250, 1251, 1252, 1253,
                                                                  1254, 1255, 1256, 1257, 1258};

bool isSingleByteAnsiCodePage(unsigned int codePage) {
    return std::find(singleByteAnsiCodePages.begin(), singleByteAnsiCodePages.end(), codePage) !=
           singleByteAnsiCodePages.end();
}

}  // namespace

std::optional<unsigned int> codePageToTry(unsigned int systemCodePage, unsigned int userLocaleCodePage) {
    if (systemCodePage != userLocaleCodePage || systemCodePage == windows1251CodePage ||
        !isSingleByteAnsiCodePage(systemCodePage)) {
        return std::nullopt;
    }
    return systemCodePage;
}
