#include "call_reader.h"

#include <array>
#include <cstdint>
#include <utility>

#include "basic_syntax.h"
#include "document_lines.h"
#include "utf8_text.h"

namespace {

using basic::isBlank;
using basic::isLineEnd;
using basic::isNameCharacter;
using basic::sameName;

// The call's text still to read, up to its end; every take skips the blanks
// before its token, and a line end only where the line goes on.
struct Reader {
    std::string_view text;
    std::size_t at = 0;
    std::size_t end = 0;

    bool atEnd() const {
        return at >= end;
    }

    char next() const {
        return atEnd() ? '\0' : text[at];
    }

    void skipBlanks() {
        while (!atEnd() && isBlank(text[at])) {
            ++at;
        }
    }

    // After "+", "," or "|" a line goes on in the next one.
    void skipBlanksAndLineEnds() {
        while (!atEnd() && (isBlank(text[at]) || isLineEnd(text[at]))) {
            ++at;
        }
    }

    bool takeSymbol(char symbol) {
        skipBlanks();
        if (next() != symbol) {
            return false;
        }
        ++at;
        return true;
    }

    // A symbol after which the line may go on.
    bool takeContinuation(char symbol) {
        if (!takeSymbol(symbol)) {
            return false;
        }
        skipBlanksAndLineEnds();
        return true;
    }

    std::string_view takeWhile(std::size_t from, bool (*belongs)(char)) {
        std::size_t stop = at + from;
        while (stop < end && belongs(text[stop])) {
            ++stop;
        }
        const std::string_view token = text.substr(at, stop - at);
        at = stop;
        return token;
    }

    // A keyword, a command or a number: empty when none stands here.
    std::string_view takeName() {
        skipBlanks();
        return takeWhile(0, isNameCharacter);
    }

    // "#" and a name, with the "$" of a string constant: empty when none
    // stands here.
    std::string_view takeConstant() {
        skipBlanks();
        if (next() != '#') {
            return {};
        }
        const std::size_t start = at;
        takeWhile(1, isNameCharacter);
        if (next() == '$') {
            ++at;
        }
        return text.substr(start, at - start);
    }
};

struct NamedText {
    std::string_view name;
    std::string_view value;
};

constexpr std::array<NamedText, 8> textConstants{{
    {"#CRLF$", "\r\n"},
    {"#LF$", "\n"},
    {"#CR$", "\r"},
    {"#LFCR$", "\n\r"},
    {"#TAB$", "\t"},
    {"#DQUOTE$", "\""},
    {"#DOUBLEQUOTE$", "\""},
    {"#Empty$", ""},
}};

// The escapes of a ~"..." literal and what they stand for.
constexpr std::string_view escapeLetters = "abfnrtv\"\\";
constexpr std::string_view escapedCharacters = "\a\b\f\n\r\t\v\"\\";

// A text being read: its UTF-8 so far, and the first half of a surrogate pair
// that the next Chr() must complete.
struct TextInProgress {
    std::string text;
    char32_t highSurrogate = 0;
};

constexpr char32_t firstHighSurrogate = 0xD800;
constexpr char32_t firstLowSurrogate = 0xDC00;
constexpr char32_t pastLowSurrogates = 0xE000;
constexpr char32_t pastSixteenBits = 0x10000;
constexpr unsigned surrogateBits = 10;

bool appendCharacter(TextInProgress& text, char32_t code) {
    const bool high = code >= firstHighSurrogate && code < firstLowSurrogate;
    const bool low = code >= firstLowSurrogate && code < pastLowSurrogates;
    if (code == 0 || code >= pastSixteenBits || (text.highSurrogate != 0) != low) {
        return false;
    }
    if (high) {
        text.highSurrogate = code;
        return true;
    }
    if (low) {
        code = pastSixteenBits + ((text.highSurrogate - firstHighSurrogate) << surrogateBits) +
               (code - firstLowSurrogate);
        text.highSurrogate = 0;
    }
    appendUtf8(text.text, code);
    return true;
}

// Decimal digits, or "$" and hexadecimal ones; nothing above sixteen bits.
std::optional<char32_t> readNumber(std::string_view digits) {
    constexpr char32_t decimal = 10;
    constexpr char32_t hexadecimal = 16;
    const bool hex = !digits.empty() && digits.front() == '$';
    if (hex) {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    char32_t value = 0;
    for (const char c : digits) {
        char32_t digit = hexadecimal;
        if (c >= '0' && c <= '9') {
            digit = static_cast<char32_t>(c - '0');
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = static_cast<char32_t>(c - 'a') + decimal;
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = static_cast<char32_t>(c - 'A') + decimal;
        }
        if (digit >= (hex ? hexadecimal : decimal)) {
            return std::nullopt;
        }
        value = value * (hex ? hexadecimal : decimal) + digit;
        if (value >= pastSixteenBits) {
            return std::nullopt;
        }
    }
    return value;
}

// Chr(n): n a number naming one UTF-16 unit.
bool appendChr(Reader& reader, TextInProgress& text) {
    if (!reader.takeSymbol('(')) {
        return false;
    }
    reader.skipBlanks();
    const std::size_t start = reader.at;
    if (reader.next() == '$') {
        ++reader.at;
    }
    reader.takeWhile(0, isNameCharacter);
    const std::optional<char32_t> code = readNumber(reader.text.substr(start, reader.at - start));
    return code && appendCharacter(text, *code) && reader.takeSymbol(')');
}

// The bytes between the quotes, with a ~"..." literal's escapes resolved;
// nothing for an unknown escape or a NUL, which no field of the window holds.
std::optional<std::string> literalBytes(std::string_view inside, bool escaped) {
    if (inside.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    if (!escaped) {
        return std::string(inside);
    }
    std::string bytes;
    for (std::size_t i = 0; i < inside.size(); ++i) {
        if (inside[i] != '\\') {
            bytes += inside[i];
            continue;
        }
        const std::size_t letter = i + 1 < inside.size() ? escapeLetters.find(inside[i + 1]) : std::string_view::npos;
        if (letter == std::string_view::npos) {
            return std::nullopt;
        }
        bytes += escapedCharacters[letter];
        ++i;
    }
    return bytes;
}

bool appendLiteral(Reader& reader, TextInProgress& text, LiteralDecoder decode) {
    if (!basic::startsLiteral(reader.text, reader.at)) {
        return false;
    }
    const bool escaped = reader.next() == '~';
    const std::size_t end = basic::literalEnd(reader.text, reader.at);
    if (end == basic::npos || end > reader.end || text.highSurrogate != 0) {
        return false;
    }
    const std::size_t opening = reader.at + (escaped ? 2 : 1);
    const std::optional<std::string> bytes = literalBytes(reader.text.substr(opening, end - 1 - opening), escaped);
    if (!bytes) {
        return false;
    }
    text.text += decode != nullptr ? decode(*bytes) : *bytes;
    reader.at = end;
    return true;
}

bool appendNamedText(std::string_view name, TextInProgress& text) {
    for (const NamedText& entry : textConstants) {
        if (sameName(entry.name, name)) {
            text.text += entry.value;
            return text.highSurrogate == 0;
        }
    }
    return false;
}

bool appendTerm(Reader& reader, TextInProgress& text, LiteralDecoder decode) {
    reader.skipBlanks();
    if (reader.next() == '"' || reader.next() == '~') {
        return appendLiteral(reader, text, decode);
    }
    if (reader.next() == '#') {
        return appendNamedText(reader.takeConstant(), text);
    }
    return sameName(reader.takeName(), "Chr") && appendChr(reader, text);
}

// term { "+" term }
std::optional<std::string> readText(Reader& reader, LiteralDecoder decode) {
    TextInProgress text;
    do {
        if (!appendTerm(reader, text, decode)) {
            return std::nullopt;
        }
    } while (reader.takeContinuation('+'));
    if (text.highSurrogate != 0) {
        return std::nullopt;
    }
    return std::move(text.text);
}

enum class FlagGroup { buttonSet, icon, modality, defaultButton };
constexpr std::size_t flagGroupCount = 4;

// Names of style bits beside the constants of the option tables: PureBasic's
// own names and Windows' other names of the same values.
struct FlagAlias {
    std::string_view name;
    FlagGroup group;
    std::uint32_t bits;
};

constexpr std::array<FlagAlias, 12> flagAliases{{
    {"#PB_MessageRequester_Ok", FlagGroup::buttonSet, 0x0},
    {"#PB_MessageRequester_YesNo", FlagGroup::buttonSet, 0x4},
    {"#PB_MessageRequester_YesNoCancel", FlagGroup::buttonSet, 0x3},
    {"#PB_MessageRequester_Error", FlagGroup::icon, 0x10},
    {"#MB_ICONHAND", FlagGroup::icon, 0x10},
    {"#MB_ICONSTOP", FlagGroup::icon, 0x10},
    {"#PB_MessageRequester_Warning", FlagGroup::icon, 0x30},
    {"#MB_ICONEXCLAMATION", FlagGroup::icon, 0x30},
    {"#PB_MessageRequester_Info", FlagGroup::icon, 0x40},
    {"#MB_ICONASTERISK", FlagGroup::icon, 0x40},
    {"#MB_APPLMODAL", FlagGroup::modality, 0x0},
    {"#MB_DEFBUTTON1", FlagGroup::defaultButton, 0x0},
}};

std::uint32_t bitsOf(const OptionEntry& entry) {
    return entry.flagBits;
}

std::uint32_t bitsOf(const ButtonSetEntry& entry) {
    return entry.buttonSetValue;
}

template <typename Entry, std::size_t N, typename Matches>
std::optional<std::int32_t> findEntry(const std::array<Entry, N>& table, Matches matches) {
    for (std::size_t i = 0; i < N; ++i) {
        if (matches(table[i])) {
            return static_cast<std::int32_t>(i);
        }
    }
    return std::nullopt;
}

template <typename Matches>
std::optional<std::int32_t> findInGroup(FlagGroup group, Matches matches) {
    switch (group) {
        case FlagGroup::buttonSet:
            return findEntry(buttonSetTable, matches);
        case FlagGroup::icon:
            return findEntry(iconTable, matches);
        case FlagGroup::modality:
            return findEntry(modalityTable, matches);
        case FlagGroup::defaultButton:
            return findEntry(defaultButtonTable, matches);
    }
    return std::nullopt;
}

std::int32_t& indexOfGroup(MessageBoxOptions& options, FlagGroup group) {
    switch (group) {
        case FlagGroup::icon:
            return options.iconIndex;
        case FlagGroup::modality:
            return options.modalityIndex;
        case FlagGroup::defaultButton:
            return options.defaultButtonIndex;
        case FlagGroup::buttonSet:
            break;
    }
    return options.buttonSetIndex;
}

struct FlagChoice {
    FlagGroup group;
    std::int32_t index;
};

std::optional<FlagChoice> flagNamed(std::string_view name) {
    const auto named = [name](const auto& entry) {
        return !entry.flagConstant.empty() && sameName(entry.flagConstant, name);
    };
    for (const FlagGroup group : {FlagGroup::buttonSet, FlagGroup::icon, FlagGroup::modality, FlagGroup::defaultButton}) {
        if (const std::optional<std::int32_t> index = findInGroup(group, named)) {
            return FlagChoice{group, *index};
        }
    }
    for (const FlagAlias& alias : flagAliases) {
        if (sameName(alias.name, name)) {
            const auto sameBits = [&alias](const auto& entry) { return bitsOf(entry) == alias.bits; };
            return FlagChoice{alias.group, findInGroup(alias.group, sameBits).value_or(0)};
        }
    }
    return std::nullopt;
}

// 0 alone (the plain OK box), or constant { "|" constant }, each group named
// once at most: two icons or two button sets are no entry of a list.
bool readFlags(Reader& reader, MessageBoxOptions& options) {
    Reader zero = reader;
    if (zero.takeName() == "0") {
        reader = zero;
        return true;
    }
    std::array<bool, flagGroupCount> named{};
    do {
        const std::optional<FlagChoice> flag = flagNamed(reader.takeConstant());
        if (!flag) {
            return false;
        }
        bool& groupNamed = named[static_cast<std::size_t>(flag->group)];
        if (groupNamed) {
            return false;
        }
        groupNamed = true;
        indexOfGroup(options, flag->group) = flag->index;
    } while (reader.takeContinuation('|'));
    return true;
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// ( title , message [, flags] ), the reader just after "MessageRequester";
// the reason where an argument cannot be read.
std::pair<std::optional<ReadCall>, UnreadSelection> readArguments(Reader& reader, LiteralDecoder decode) {
    using Unread = UnreadSelection;
    ReadCall call;
    reader.takeSymbol('(');
    std::optional<std::string> title = readText(reader, decode);
    if (!title || holdsLineBreak(*title)) {
        return {std::nullopt, Unread::title};
    }
    if (!reader.takeContinuation(',')) {
        return {std::nullopt, reader.next() == ')' ? Unread::message : Unread::title};
    }
    const std::optional<std::string> message = readText(reader, decode);
    if (!message) {
        return {std::nullopt, Unread::message};
    }
    const bool hasFlags = reader.takeContinuation(',');
    if (hasFlags && !readFlags(reader, call.options)) {
        return {std::nullopt, Unread::flags};
    }
    if (!reader.takeSymbol(')') || !reader.atEnd()) {
        return {std::nullopt, hasFlags ? Unread::flags : Unread::message};
    }
    call.options.title = std::move(*title);
    for (const std::string_view line : cutDocumentLines(*message)) {
        call.lines.emplace_back(line);
    }
    return {std::move(call), Unread::noCall};
}

constexpr std::array<std::string_view, 10> resultNames{
    "#IdOK", "#IdCancel", "#IdAbort", "#IdRetry", "#IdIgnore", "#IdYes", "#IdNo",
    "#PB_MessageRequester_Cancel", "#PB_MessageRequester_Yes", "#PB_MessageRequester_No",
};

bool isResultName(std::string_view name) {
    for (const std::string_view result : resultNames) {
        if (sameName(result, name)) {
            return true;
        }
    }
    return false;
}

// A call found in the source: where its name starts, and where it ends (just
// after its ")", or where it breaks off: a line that does not go on, a
// literal without its closing quote, the end of the source).
struct FoundCall {
    std::size_t start = 0;
    std::size_t end = 0;
};

FoundCall findCallEnd(std::string_view text, std::size_t nameStart, std::size_t openingParenthesis) {
    int depth = 0;
    std::size_t lineBegin = basic::lineStart(text, openingParenthesis);
    for (std::size_t at = openingParenthesis; at < text.size();) {
        const char c = text[at];
        if (isLineEnd(c)) {
            if (!basic::continuesOnNextLine(text, lineBegin, at)) {
                return {nameStart, at};
            }
            at += c == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2U : 1U;
            lineBegin = at;
            continue;
        }
        if (basic::startsLiteral(text, at) && basic::literalEnd(text, at) == basic::npos) {
            return {nameStart, basic::lineContentEnd(text, at)};
        }
        depth += c == '(' ? 1 : 0;
        depth -= c == ')' ? 1 : 0;
        if (depth == 0) {
            return {nameStart, at + 1};
        }
        at = basic::tokenEnd(text, at);
    }
    return {nameStart, text.size()};
}

// The position of the "(" after a name, past blanks; npos where none follows.
std::size_t parenthesisAfter(std::string_view text, std::size_t at) {
    while (at < text.size() && isBlank(text[at])) {
        ++at;
    }
    return at < text.size() && text[at] == '(' ? at : basic::npos;
}

// Every MessageRequester call whose name stands between from (a line's
// start) and to, comments and literals passed over; calls inside calls too.
std::vector<FoundCall> callsBetween(std::string_view text, std::size_t from, std::size_t to) {
    constexpr std::string_view commandName = "MessageRequester";
    constexpr std::string_view notACall = "#\\.@";  // a constant, a field, an address
    std::vector<FoundCall> calls;
    for (std::size_t at = from; at < to && at < text.size();) {
        const std::size_t end = basic::tokenEnd(text, at);
        const bool named = sameName(text.substr(at, end - at), commandName) &&
                           (at == 0 || notACall.find(text[at - 1]) == std::string_view::npos);
        const std::size_t parenthesis = named ? parenthesisAfter(text, end) : basic::npos;
        if (parenthesis != basic::npos) {
            calls.push_back(findCallEnd(text, at, parenthesis));
        }
        at = end;
    }
    return calls;
}

// The start of the name on the line before at, past blanks: "Select" before
// a call makes it a Select block's.
std::optional<std::size_t> selectKeywordBefore(std::string_view text, std::size_t callStart) {
    std::size_t at = basic::lineStart(text, callStart);
    while (at < callStart && isBlank(text[at])) {
        ++at;
    }
    const std::size_t end = at < callStart ? basic::tokenEnd(text, at) : at;
    if (at < callStart && sameName(text.substr(at, end - at), "Select") &&
        basic::isBlankText(text.substr(end, callStart - end))) {
        return at;
    }
    return std::nullopt;
}

// After a Select's call: its lines up to EndSelect, each a bare Case of one
// result or blank; answers the end of EndSelect.
std::optional<std::size_t> bareSelectBodyEnd(std::string_view text, std::size_t callEnd) {
    Reader reader{text, callEnd, text.size()};
    reader.skipBlanks();
    if (!reader.atEnd() && !isLineEnd(reader.next())) {
        return std::nullopt;
    }
    for (;;) {
        reader.skipBlanksAndLineEnds();
        const std::string_view keyword = reader.takeName();
        if (sameName(keyword, "EndSelect")) {
            return reader.at;
        }
        if (!sameName(keyword, "Case") || !isResultName(reader.takeConstant())) {
            return std::nullopt;
        }
        reader.skipBlanks();
        if (reader.atEnd() || !isLineEnd(reader.next())) {
            return std::nullopt;
        }
    }
}

// The call as the wizard writes it, when it stands alone on the selection's
// lines: then the whole of it may be written anew.
std::optional<ByteRange> standaloneCall(std::string_view text, ByteRange selection, const FoundCall& call) {
    ByteRange block{call.start, call.end};
    if (const std::optional<std::size_t> select = selectKeywordBefore(text, call.start)) {
        const std::optional<std::size_t> bodyEnd = bareSelectBodyEnd(text, call.end);
        if (!bodyEnd) {
            return std::nullopt;
        }
        block = ByteRange{*select, *bodyEnd};
    }
    const ByteRange lines = linesAround(text, selection);
    if (block.start < selection.start || block.end > selection.end ||
        !basic::isBlankText(text.substr(lines.start, block.start - lines.start)) ||
        !basic::isBlankText(text.substr(block.end, lines.end - block.end))) {
        return std::nullopt;
    }
    std::size_t previousLineEnd = basic::lineStart(text, block.start);
    if (previousLineEnd > 0) {
        previousLineEnd -= text.substr(0, previousLineEnd).ends_with("\r\n") ? 2U : 1U;
        if (basic::continuesOnNextLine(text, basic::lineStart(text, previousLineEnd), previousLineEnd)) {
            return std::nullopt;
        }
    }
    return block;
}

}  // namespace

SelectionReading readSelection(std::string_view document, ByteRange selection, LiteralDecoder decode) {
    SelectionReading reading;
    std::vector<FoundCall> calls = callsBetween(document, basic::lineStart(document, selection.start), selection.end);
    std::erase_if(calls, [&selection](const FoundCall& call) { return call.end <= selection.start; });
    if (calls.size() != 1) {
        reading.unread = calls.empty() ? UnreadSelection::noCall : UnreadSelection::severalCalls;
        return reading;
    }
    const FoundCall& call = calls.front();
    if (call.start < selection.start || call.end > selection.end) {
        reading.unread = UnreadSelection::partialCall;
        return reading;
    }
    Reader reader{document, call.start, call.end};
    reader.takeName();
    auto [read, unread] = readArguments(reader, decode);
    reading.unread = unread;
    reading.callBytes = ByteRange{call.start, call.end};
    if (read) {
        reading.call = std::move(read);
        reading.standaloneBytes = standaloneCall(document, selection, call);
    }
    return reading;
}

std::optional<ReadCall> readCall(std::string_view source) {
    return readSelection(source, ByteRange{0, source.size()}).call;
}
