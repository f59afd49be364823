// The few lexical rules of PureBasic that finding and reading a call in
// someone's source needs: blanks, line ends, names, string literals, comments
// and the tokens after which a line goes on. Only ASCII is syntax; every other
// byte belongs to a literal, a comment or a name's neighbourhood as it stands.
#pragma once

#include <cstddef>
#include <string_view>

namespace basic {

inline constexpr std::size_t npos = std::string_view::npos;

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

constexpr bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Keywords, commands and constants are the same in any letter case.
bool sameName(std::string_view a, std::string_view b);

// Whether text holds nothing but blanks and line ends.
bool isBlankText(std::string_view text);

// The end of the line that at lies on: its first CR or LF, or the text's end.
std::size_t lineContentEnd(std::string_view text, std::size_t at);
// The start of the line that at lies on.
std::size_t lineStart(std::string_view text, std::size_t at);

// Whether a string literal ("..." or ~"...") starts at at.
bool startsLiteral(std::string_view text, std::size_t at);

// The end of the string literal starting at at ("..." or ~"..." with its
// backslash escapes): just after its closing quote, or npos when the line
// ends first.
std::size_t literalEnd(std::string_view text, std::size_t at);

// The end of the token starting at at on its line: a literal, a comment (to
// the line's end), a name (with a string name's "$"), or one character.
std::size_t tokenEnd(std::string_view text, std::size_t at);

// Whether the line ending at end (its last character before the line end)
// goes on in the next one: its last token, comments aside, is "+", ",", "|",
// And, Or or Xor.
bool continuesOnNextLine(std::string_view text, std::size_t lineStartAt, std::size_t end);

}  // namespace basic
