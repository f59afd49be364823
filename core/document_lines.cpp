#include "document_lines.h"

#include <cstdint>
#include <cstring>

namespace {

// NUL, LF and CR, the only bytes that end or cut a line, are all below this.
constexpr std::uint64_t firstPlainByte = 0x0E;

// Skips whole eight-byte words that hold no byte below firstPlainByte, and
// answers where the next byte to look at is.
const char* skipPlainWords(const char* at, const char* end) {
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highBits = 0x8080808080808080;
    while (end - at >= static_cast<std::ptrdiff_t>(sizeof(std::uint64_t))) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, sizeof word);
        // Nonzero exactly when some byte of the word is below firstPlainByte.
        if (((word - ones * firstPlainByte) & ~word & highBits) != 0) {
            return at;
        }
        at += sizeof word;
    }
    return at;
}

}  // namespace

// A guess at the number of lines, so that a large document's list is seldom
// moved while it grows.
constexpr std::size_t typicalLineLength = 64;

EditorLineViews cutDocumentLines(std::string_view document) {
    EditorLineViews lines;
    lines.reserve(document.size() / typicalLineLength + 1);
    const char* const end = document.data() + document.size();
    const char* lineStart = document.data();
    const char* nul = nullptr;
    const char* at = lineStart;
    while (at != end) {
        at = skipPlainWords(at, end);
        if (at == end) {
            break;
        }
        const char c = *at;
        if (c == '\0' && nul == nullptr) {
            nul = at;
        } else if (c == '\r' || c == '\n') {
            const char* const lineEnd = nul != nullptr ? nul : at;
            lines.emplace_back(lineStart, static_cast<std::size_t>(lineEnd - lineStart));
            if (c == '\r' && at + 1 != end && at[1] == '\n') {
                ++at;
            }
            lineStart = at + 1;
            nul = nullptr;
        }
        ++at;
    }
    const char* const lastEnd = nul != nullptr ? nul : end;
    lines.emplace_back(lineStart, static_cast<std::size_t>(lastEnd - lineStart));
    return lines;
}
