#include "basic_syntax.h"

namespace basic {

namespace {

char asciiLower(char c) {
    constexpr char caseDistance = 'a' - 'A';
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + caseDistance) : c;
}

constexpr char commentStart = ';';
constexpr char escapedLiteralMark = '~';

}  // namespace

bool startsLiteral(std::string_view text, std::size_t at) {
    return text[at] == '"' || (text[at] == escapedLiteralMark && at + 1 < text.size() && text[at + 1] == '"');
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool isBlankText(std::string_view text) {
    for (const char c : text) {
        if (!isBlank(c) && !isLineEnd(c)) {
            return false;
        }
    }
    return true;
}

std::size_t lineContentEnd(std::string_view text, std::size_t at) {
    const std::size_t end = text.find_first_of("\r\n", at);
    return end == npos ? text.size() : end;
}

std::size_t lineStart(std::string_view text, std::size_t at) {
    if (at == 0) {
        return 0;
    }
    const std::size_t previousEnd = text.find_last_of("\r\n", at - 1);
    return previousEnd == npos ? 0 : previousEnd + 1;
}

std::size_t literalEnd(std::string_view text, std::size_t at) {
    const bool escaped = text[at] == escapedLiteralMark;
    for (std::size_t i = at + (escaped ? 2 : 1); i < text.size() && !isLineEnd(text[i]); ++i) {
        if (text[i] == '"') {
            return i + 1;
        }
        if (escaped && text[i] == '\\') {
            ++i;
        }
    }
    return npos;
}

std::size_t tokenEnd(std::string_view text, std::size_t at) {
    if (text[at] == commentStart) {
        return lineContentEnd(text, at);
    }
    if (startsLiteral(text, at)) {
        const std::size_t end = literalEnd(text, at);
        return end == npos ? lineContentEnd(text, at) : end;
    }
    if (!isNameCharacter(text[at])) {
        return at + 1;
    }
    std::size_t end = at;
    while (end < text.size() && isNameCharacter(text[end])) {
        ++end;
    }
    return end < text.size() && text[end] == '$' ? end + 1 : end;
}

bool continuesOnNextLine(std::string_view text, std::size_t lineStartAt, std::size_t end) {
    std::string_view last;
    for (std::size_t at = lineStartAt; at < end;) {
        if (isBlank(text[at])) {
            ++at;
            continue;
        }
        if (text[at] == commentStart) {
            break;
        }
        const std::size_t next = tokenEnd(text, at);
        last = text.substr(at, next - at);
        at = next;
    }
    return last == "+" || last == "," || last == "|" || sameName(last, "And") || sameName(last, "Or") ||
           sameName(last, "Xor");
}

}  // namespace basic
