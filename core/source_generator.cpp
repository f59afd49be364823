#include "source_generator.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view plainHead = "MessageRequester(\"";
constexpr std::string_view selectHead = "Select MessageRequester(\"";
constexpr std::string_view afterTitle = "\", ";
constexpr std::string_view titleQuote = "\" + Chr(34) + \"";
constexpr std::string_view lineOpen = "\"";
constexpr std::string_view lineQuote = "\"+Chr(34)+\"";
constexpr std::string_view lineClose = "\"+Chr(10)+";
constexpr std::string_view emptyLine = "Chr(10)+";
constexpr std::string_view emptyText = "\"\"";
constexpr std::string_view beforeFlags = ", ";
constexpr std::string_view callClose = ")";
constexpr std::string_view caseHead = "\r\nCase ";
constexpr std::string_view selectClose = "\r\nEndSelect";

// The line break after the last line and the "+" that would join a further
// term: every message-text term list ends in exactly these characters.
constexpr std::size_t trailingJoinLength = std::string_view("+Chr(10)+").size();

std::size_t countQuotes(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '"'));
}

// Appends text with every double quote replaced; the replacement is never
// scanned again.
void appendEscaped(std::string& out, std::string_view text, std::string_view quoteReplacement) {
    std::size_t start = 0;
    while (start < text.size()) {
        const void* found = std::memchr(text.data() + start, '"', text.size() - start);
        if (found == nullptr) {
            out.append(text.data() + start, text.size() - start);
            return;
        }
        const std::size_t quote = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        out.append(text.data() + start, quote - start);
        out += quoteReplacement;
        start = quote + 1;
    }
}

// A document that reads as nothing at all, or as one single empty line (its
// only line began with a NUL), has no line break to cut back: it is written
// as the empty string like an empty document.
bool readsAsEmptyText(const EditorLines& lines, bool documentIsEmpty) {
    return documentIsEmpty || lines.empty() || (lines.size() == 1 && lines.front().empty());
}

std::size_t messageTextSize(const EditorLines& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        if (line.empty()) {
            size += emptyLine.size();
        } else {
            size += lineOpen.size() + line.size() + countQuotes(line) * (lineQuote.size() - 1) + lineClose.size();
        }
    }
    return size;
}

void appendMessageText(std::string& out, const EditorLines& lines) {
    for (const std::string& line : lines) {
        if (line.empty()) {
            out += emptyLine;
        } else {
            out += lineOpen;
            appendEscaped(out, line, lineQuote);
            out += lineClose;
        }
    }
    out.resize(out.size() - trailingJoinLength);
}

// Calls f with each field of a "|"-separated list, stopping at the first
// empty field.
template <typename Visit>
void forEachField(std::string_view list, Visit visit) {
    while (!list.empty()) {
        const std::size_t bar = list.find('|');
        const std::string_view field = list.substr(0, bar);
        if (field.empty()) {
            return;
        }
        visit(field);
        if (bar == std::string_view::npos) {
            return;
        }
        list.remove_prefix(bar + 1);
    }
}

std::size_t selectTailSize(const MessageBoxSpec& derived) {
    std::size_t size = selectClose.size();
    forEachField(derived.resultIdList, [&size](std::string_view field) { size += caseHead.size() + field.size(); });
    return size;
}

}  // namespace

std::string generateCall(const MessageBoxSpec& derived, std::string_view title, const EditorLines& lines,
                         bool documentIsEmpty) {
    const bool emptyMessage = readsAsEmptyText(lines, documentIsEmpty);
    const std::string_view head = derived.useSelectBlock ? selectHead : plainHead;

    std::size_t size = head.size() + title.size() + countQuotes(title) * (titleQuote.size() - 1) + afterTitle.size();
    size += emptyMessage ? emptyText.size() : messageTextSize(lines);
    size += beforeFlags.size() + derived.flagsExpression.size() + callClose.size();
    if (derived.useSelectBlock) {
        size += selectTailSize(derived);
    }

    std::string out;
    out.reserve(size);
    out += head;
    appendEscaped(out, title, titleQuote);
    out += afterTitle;
    if (emptyMessage) {
        out += emptyText;
    } else {
        appendMessageText(out, lines);
    }
    out += beforeFlags;
    out += derived.flagsExpression;
    out += callClose;
    if (derived.useSelectBlock) {
        forEachField(derived.resultIdList, [&out](std::string_view field) {
            out += caseHead;
            out += field;
        });
        out += selectClose;
    }
    return out;
}
