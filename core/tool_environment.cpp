#include "tool_environment.h"

#include <array>
#include <cstdint>
#include <limits>

#include "basic_syntax.h"

namespace {

constexpr std::uint64_t decimalBase = 10;

// Digits only, at least one, and no more than most.
std::optional<std::uint64_t> parseDecimal(std::string_view text, std::uint64_t most) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (most - digit) / decimalBase) {
            return std::nullopt;
        }
        value = value * decimalBase + digit;
    }
    return value;
}

// Fills counts with the "x"-separated numbers of text; there must be exactly
// as many as it has room for, each at least 1.
template <std::size_t N>
bool parseCounts(std::string_view text, std::array<std::size_t, N>& counts) {
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t separator = text.find('x');
        if ((separator == std::string_view::npos) != (i + 1 == N)) {
            return false;
        }
        const std::optional<std::uint64_t> count =
            parseDecimal(text.substr(0, separator), std::numeric_limits<std::size_t>::max());
        if (!count || *count == 0) {
            return false;
        }
        counts[i] = static_cast<std::size_t>(*count);
        text.remove_prefix(separator == std::string_view::npos ? text.size() : separator + 1);
    }
    return true;
}

// A UTF-8 continuation byte, 10xxxxxx: every other byte starts a character.
bool continuesCharacter(char c) {
    constexpr unsigned continuationMask = 0xC0;
    constexpr unsigned continuationBits = 0x80;
    return (static_cast<unsigned char>(c) & continuationMask) == continuationBits;
}

// The offset of the first byte after the line end at or after from, or
// nothing when no line end follows.
std::optional<std::size_t> nextLineStart(std::string_view document, std::size_t from) {
    const std::size_t end = document.find_first_of("\r\n", from);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    const bool crLf = document[end] == '\r' && end + 1 < document.size() && document[end + 1] == '\n';
    return end + (crLf ? 2 : 1);
}

bool startsColumn(char c, ColumnUnit unit) {
    return unit == ColumnUnit::byte || !continuesCharacter(c);
}

std::optional<std::size_t> findPosition(std::string_view document, const TextPosition& place, ColumnUnit unit) {
    std::size_t at = 0;
    for (std::size_t line = 1; line < place.line; ++line) {
        const std::optional<std::size_t> next = nextLineStart(document, at);
        if (!next) {
            return std::nullopt;
        }
        at = *next;
    }
    for (std::size_t column = 1; column < place.column; ++column) {
        if (at == document.size() || basic::isLineEnd(document[at])) {
            return std::nullopt;
        }
        ++at;
        while (at < document.size() && !startsColumn(document[at], unit)) {
            ++at;
        }
    }
    return at;
}

}  // namespace

std::optional<std::uint32_t> parseWindowHandle(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const std::optional<std::uint64_t> magnitude = parseDecimal(text, std::numeric_limits<std::uint64_t>::max());
    if (!magnitude) {
        return std::nullopt;
    }
    // Two's complement keeps the low bits of a negative number as they were.
    const std::uint64_t value = negative ? 0 - *magnitude : *magnitude;
    const auto handle = static_cast<std::uint32_t>(value);
    if (handle == 0) {
        return std::nullopt;
    }
    return handle;
}

std::optional<TextPosition> parseToolCursor(std::string_view text) {
    std::array<std::size_t, 2> counts{};
    if (!parseCounts(text, counts)) {
        return std::nullopt;
    }
    return TextPosition{counts[0], counts[1]};
}

std::optional<TextSelection> parseToolSelection(std::string_view text) {
    std::array<std::size_t, 4> counts{};
    if (!parseCounts(text, counts)) {
        return std::nullopt;
    }
    return TextSelection{{counts[0], counts[1]}, {counts[2], counts[3]}};
}

std::optional<ByteRange> findSelectedBytes(std::string_view document, const TextSelection& selection,
                                           ColumnUnit unit) {
    const std::optional<std::size_t> start = findPosition(document, selection.start, unit);
    const std::optional<std::size_t> end = findPosition(document, selection.end, unit);
    if (!start || !end || *end < *start) {
        return std::nullopt;
    }
    return ByteRange{*start, *end};
}

TextPosition positionOfByte(std::string_view document, std::size_t offset, ColumnUnit unit) {
    TextPosition place{1, 1};
    std::size_t at = 0;
    for (std::optional<std::size_t> next = nextLineStart(document, 0); next && *next <= offset;
         next = nextLineStart(document, *next)) {
        ++place.line;
        at = *next;
    }
    for (; at < offset && at < document.size(); ++at) {
        place.column += startsColumn(document[at], unit) ? 1U : 0U;
    }
    return place;
}

ByteRange linesAround(std::string_view document, ByteRange range) {
    const std::size_t start = basic::lineStart(document, range.start);
    if (range.end > range.start && basic::isLineEnd(document[range.end - 1])) {
        return ByteRange{start, range.end};
    }
    return ByteRange{start, basic::lineContentEnd(document, range.end)};
}
