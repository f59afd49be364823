#include "basic_expression.h"

#include <array>
#include <utility>

namespace {

struct Reader {
    std::string_view rest;

    bool take(std::string_view expected) {
        if (rest.substr(0, expected.size()) != expected) {
            return false;
        }
        rest.remove_prefix(expected.size());
        return true;
    }

    void skipBlanks() {
        while (!rest.empty() && rest.front() == ' ') {
            rest.remove_prefix(1);
        }
    }
};

// term := '"' characters '"' | 'Chr(' number ')'
bool evaluateTerm(Reader& reader, std::string& value) {
    if (reader.take("\"")) {
        const std::size_t close = reader.rest.find('"');
        if (close == std::string_view::npos) {
            return false;
        }
        value.append(reader.rest.substr(0, close));
        reader.rest.remove_prefix(close + 1);
        return true;
    }
    if (!reader.take("Chr(")) {
        return false;
    }
    int code = 0;
    std::size_t digits = 0;
    while (digits < reader.rest.size() && reader.rest[digits] >= '0' && reader.rest[digits] <= '9') {
        code = code * 10 + (reader.rest[digits] - '0');
        ++digits;
    }
    if (digits == 0 || code > 255) {
        return false;
    }
    reader.rest.remove_prefix(digits);
    value += static_cast<char>(code);
    return reader.take(")");
}

// expression := term { blanks '+' blanks term }
std::optional<std::string> evaluateExpression(Reader& reader) {
    std::string value;
    if (!evaluateTerm(reader, value)) {
        return std::nullopt;
    }
    for (;;) {
        Reader lookahead = reader;
        lookahead.skipBlanks();
        if (!lookahead.take("+")) {
            return value;
        }
        lookahead.skipBlanks();
        reader = lookahead;
        if (!evaluateTerm(reader, value)) {
            return std::nullopt;
        }
    }
}

// Windows' values of the message-box constants that PureBasic knows by name.
constexpr std::array<std::pair<std::string_view, std::uint32_t>, 14> windowsConstants{{
    {"#MB_OK", 0x0},           {"#MB_OKCANCEL", 0x1},       {"#MB_ABORTRETRYIGNORE", 0x2},
    {"#MB_YESNOCANCEL", 0x3},  {"#MB_YESNO", 0x4},          {"#MB_RETRYCANCEL", 0x5},
    {"#MB_ICONERROR", 0x10},   {"#MB_ICONQUESTION", 0x20},  {"#MB_ICONWARNING", 0x30},
    {"#MB_ICONINFORMATION", 0x40}, {"#MB_TASKMODAL", 0x2000}, {"#MB_SYSTEMMODAL", 0x1000},
    {"#MB_DEFBUTTON2", 0x100}, {"#MB_DEFBUTTON3", 0x200},
}};

std::optional<std::uint32_t> constantValue(std::string_view name) {
    for (const auto& [constant, value] : windowsConstants) {
        if (constant == name) {
            return value;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> evaluateFlags(std::string_view flags) {
    std::uint32_t style = 0;
    for (;;) {
        const std::size_t bar = flags.find('|');
        const std::optional<std::uint32_t> value = constantValue(flags.substr(0, bar));
        if (!value) {
            return std::nullopt;
        }
        style |= *value;
        if (bar == std::string_view::npos) {
            return style;
        }
        flags.remove_prefix(bar + 1);
    }
}

std::optional<ParsedCall> parseCall(std::string_view source) {
    Reader reader{source};
    ParsedCall call;
    call.selectBlock = reader.take("Select ");
    if (!reader.take("MessageRequester(")) {
        return std::nullopt;
    }
    const std::optional<std::string> title = evaluateExpression(reader);
    if (!title || !reader.take(", ")) {
        return std::nullopt;
    }
    const std::optional<std::string> message = evaluateExpression(reader);
    if (!message || !reader.take(", ")) {
        return std::nullopt;
    }
    const std::size_t close = reader.rest.find(')');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    call.title = *title;
    call.message = *message;
    call.flags = std::string(reader.rest.substr(0, close));
    reader.rest.remove_prefix(close + 1);
    if (call.selectBlock) {
        while (reader.take("\r\nCase ")) {
            const std::size_t end = reader.rest.find('\r');
            call.cases.emplace_back(reader.rest.substr(0, end));
            reader.rest.remove_prefix(end == std::string_view::npos ? reader.rest.size() : end);
        }
        if (!reader.take("\r\nEndSelect")) {
            return std::nullopt;
        }
    }
    if (!reader.rest.empty()) {
        return std::nullopt;
    }
    return call;
}
