#include "call_reader.h"

#include <array>
#include <cstdint>
#include <utility>

#include "document_lines.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

char asciiLower(char c) {
    constexpr char caseDistance = 'a' - 'A';
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + caseDistance) : c;
}

// PureBasic's keywords and constants are the same in any letter case.
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

// The source still to read; every take skips the blanks before its token.
struct Reader {
    std::string_view rest;

    void skipBlanks() {
        while (!rest.empty() && isBlank(rest.front())) {
            rest.remove_prefix(1);
        }
    }

    void skipBlanksAndLineEnds() {
        while (!rest.empty() && (isBlank(rest.front()) || isLineEnd(rest.front()))) {
            rest.remove_prefix(1);
        }
    }

    bool takeSymbol(char symbol) {
        skipBlanks();
        if (rest.empty() || rest.front() != symbol) {
            return false;
        }
        rest.remove_prefix(1);
        return true;
    }

    std::string_view takeWhile(std::size_t from, bool (*belongs)(char)) {
        std::size_t end = from;
        while (end < rest.size() && belongs(rest[end])) {
            ++end;
        }
        const std::string_view token = rest.substr(0, end);
        rest.remove_prefix(end);
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
        if (rest.empty() || rest.front() != '#') {
            return {};
        }
        std::string_view constant = takeWhile(1, isNameCharacter);
        if (!rest.empty() && rest.front() == '$') {
            constant = std::string_view(constant.data(), constant.size() + 1);
            rest.remove_prefix(1);
        }
        return constant;
    }

    // The end of the source or of its current line, after blanks.
    bool atLineEnd() {
        skipBlanks();
        return rest.empty() || isLineEnd(rest.front());
    }
};

struct NamedText {
    std::string_view name;
    std::string_view value;
};

constexpr std::array<NamedText, 4> textConstants{{
    {"#CRLF$", "\r\n"},
    {"#LF$", "\n"},
    {"#CR$", "\r"},
    {"#DQUOTE$", "\""},
}};

// The character codes that Chr() may name: the line breaks and the quote,
// which a literal cannot hold.
constexpr std::array<NamedText, 3> characterCodes{{
    {"10", "\n"},
    {"13", "\r"},
    {"34", "\""},
}};

template <std::size_t N>
bool appendNamed(const std::array<NamedText, N>& table, std::string_view name, std::string& text) {
    for (const NamedText& entry : table) {
        if (sameName(entry.name, name)) {
            text += entry.value;
            return true;
        }
    }
    return false;
}

// A literal ends at its closing quote on the same line. A NUL is refused,
// since neither the title field nor the editor's lines can hold one.
bool appendLiteral(Reader& reader, std::string& text) {
    const std::size_t end = reader.rest.find_first_of(std::string_view("\"\r\n\0", 4));
    if (end == std::string_view::npos || reader.rest[end] != '"') {
        return false;
    }
    text += reader.rest.substr(0, end);
    reader.rest.remove_prefix(end + 1);
    return true;
}

bool appendTerm(Reader& reader, std::string& text) {
    if (reader.takeSymbol('"')) {
        return appendLiteral(reader, text);
    }
    if (!reader.rest.empty() && reader.rest.front() == '#') {
        return appendNamed(textConstants, reader.takeConstant(), text);
    }
    if (!sameName(reader.takeName(), "Chr") || !reader.takeSymbol('(')) {
        return false;
    }
    const std::string_view code = reader.takeName();
    return appendNamed(characterCodes, code, text) && reader.takeSymbol(')');
}

// term { "+" term }
std::optional<std::string> readText(Reader& reader) {
    std::string text;
    do {
        if (!appendTerm(reader, text)) {
            return std::nullopt;
        }
    } while (reader.takeSymbol('+'));
    return text;
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

// constant { "|" constant }, each group named once at most: two icons or two
// button sets are no entry of a list.
bool readFlags(Reader& reader, MessageBoxOptions& options) {
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
    } while (reader.takeSymbol('|'));
    return true;
}

struct ResultName {
    std::string_view name;
    std::uint32_t value;  // the message box's answer
};

constexpr std::array<ResultName, 10> resultNames{{
    {"#IdOK", 1},
    {"#IdCancel", 2},
    {"#IdAbort", 3},
    {"#IdRetry", 4},
    {"#IdIgnore", 5},
    {"#IdYes", 6},
    {"#IdNo", 7},
    {"#PB_MessageRequester_Cancel", 2},
    {"#PB_MessageRequester_Yes", 6},
    {"#PB_MessageRequester_No", 7},
}};

std::optional<std::uint32_t> resultNamed(std::string_view name) {
    for (const ResultName& result : resultNames) {
        if (sameName(result.name, name)) {
            return result.value;
        }
    }
    return std::nullopt;
}

// The single OK button answers OK, though its list names no result.
bool buttonSetAnswers(std::int32_t buttonSet, std::uint32_t result) {
    std::string_view list = buttonSetTable[static_cast<std::size_t>(buttonSet)].resultIdList;
    if (list.empty()) {
        list = "#IdOK";
    }
    while (!list.empty()) {
        const std::size_t bar = list.find('|');
        if (resultNamed(list.substr(0, bar)) == result) {
            return true;
        }
        list.remove_prefix(bar == std::string_view::npos ? list.size() : bar + 1);
    }
    return false;
}

// The lines after "Select MessageRequester(...)" up to EndSelect: each a Case
// with one answer of the button set (every answer once at most) or a single
// Default, each on its own line.
bool readSelectBody(Reader& reader, std::int32_t buttonSet) {
    constexpr std::size_t answerCount = 8;
    std::array<bool, answerCount> answered{};
    bool hadDefault = false;
    for (;;) {
        if (!reader.atLineEnd() || reader.rest.empty()) {
            return false;
        }
        reader.skipBlanksAndLineEnds();
        const std::string_view keyword = reader.takeName();
        if (sameName(keyword, "EndSelect")) {
            return true;
        }
        if (sameName(keyword, "Default") && !hadDefault) {
            hadDefault = true;
            continue;
        }
        if (!sameName(keyword, "Case")) {
            return false;
        }
        const std::optional<std::uint32_t> result = resultNamed(reader.takeConstant());
        if (!result || !buttonSetAnswers(buttonSet, *result) || answered[*result]) {
            return false;
        }
        answered[*result] = true;
    }
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// MessageRequester( title , message [, flags] )
std::optional<ReadCall> readCallArguments(Reader& reader) {
    if (!sameName(reader.takeName(), "MessageRequester") || !reader.takeSymbol('(')) {
        return std::nullopt;
    }
    ReadCall call;
    std::optional<std::string> title = readText(reader);
    if (!title || holdsLineBreak(*title) || !reader.takeSymbol(',')) {
        return std::nullopt;
    }
    const std::optional<std::string> message = readText(reader);
    if (!message) {
        return std::nullopt;
    }
    if (reader.takeSymbol(',') && !readFlags(reader, call.options)) {
        return std::nullopt;
    }
    if (!reader.takeSymbol(')')) {
        return std::nullopt;
    }
    call.options.title = std::move(*title);
    for (const std::string_view line : cutDocumentLines(*message)) {
        call.lines.emplace_back(line);
    }
    return call;
}

}  // namespace

std::optional<ReadCall> readCall(std::string_view source) {
    Reader reader{source};
    reader.skipBlanksAndLineEnds();
    Reader afterSelect = reader;
    const bool selectBlock = sameName(afterSelect.takeName(), "Select");
    if (selectBlock) {
        reader = afterSelect;
    }
    std::optional<ReadCall> call = readCallArguments(reader);
    if (!call || (selectBlock && !readSelectBody(reader, call->options.buttonSetIndex))) {
        return std::nullopt;
    }
    reader.skipBlanksAndLineEnds();
    if (!reader.rest.empty()) {
        return std::nullopt;
    }
    return call;
}
