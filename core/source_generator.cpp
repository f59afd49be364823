#include "source_generator.h"

#include <algorithm>
#include <cstring>

#include "saturated_size.h"

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
// term: every message-text term list ends in exactly these characters, and
// they are cut off.
constexpr std::size_t trailingJoinLength = std::string_view("+Chr(10)+").size();
// What stays of a non-empty last line's closing piece once they are cut.
constexpr std::string_view lastLineClose = lineClose.substr(0, lineClose.size() - trailingJoinLength);
static_assert(lastLineClose == "\"");

std::size_t countQuotes(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '"'));
}

std::size_t escapedSize(std::string_view text, std::string_view quoteReplacement) {
    return addSaturated(text.size(), multiplySaturated(countQuotes(text), quoteReplacement.size() - 1));
}

char* put(char* out, std::string_view piece) {
    std::memcpy(out, piece.data(), piece.size());
    return out + piece.size();
}

// Writes text with every double quote replaced; the replacement is never
// scanned again.
char* putEscaped(char* out, std::string_view text, std::string_view quoteReplacement) {
    std::size_t start = 0;
    for (std::size_t quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"', start)) {
        out = put(out, text.substr(start, quote - start));
        out = put(out, quoteReplacement);
        start = quote + 1;
    }
    return put(out, text.substr(start));
}

// A document that reads as nothing at all, or as one single empty line (its
// only line began with a NUL), has no line break to cut back: it is written
// as the empty string like an empty document.
bool readsAsEmptyText(const EditorLineViews& lines, bool documentIsEmpty) {
    return documentIsEmpty || lines.empty() || (lines.size() == 1 && lines.front().empty());
}

// A saturated size stays saturated: the cut would make it look like one that
// fits.
std::size_t messageTextSize(const EditorLineViews& lines) {
    constexpr std::size_t lineFrame = lineOpen.size() + lineClose.size();
    std::size_t size = 0;
    for (const std::string_view line : lines) {
        const std::size_t term =
            line.empty() ? emptyLine.size() : addSaturated(lineFrame, escapedSize(line, lineQuote));
        size = addSaturated(size, term);
    }
    return size == SIZE_MAX ? size : size - trailingJoinLength;
}

// Writes every line's term but leaves out the last trailingJoinLength
// characters: a non-empty last line keeps only its closing quote; an empty
// last line adds nothing and takes back the "+" that ends the term before it.
char* putMessageText(char* out, const EditorLineViews& lines) {
    const std::size_t last = lines.size() - 1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (!line.empty()) {
            out = put(out, lineOpen);
            out = putEscaped(out, line, lineQuote);
            out = put(out, i == last ? lastLineClose : lineClose);
        } else if (i != last) {
            out = put(out, emptyLine);
        } else {
            --out;
        }
    }
    return out;
}

// Calls f with each field of a "|"-separated list, stopping at the first
// empty field.
template <typename Visit>
void forEachField(std::string_view list, Visit visit) {
    while (!list.empty()) {
        const std::size_t bar = list.find('|');
        const std::string_view field = list.substr(0, std::min(bar, list.size()));
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
    forEachField(derived.resultIdList, [&size](std::string_view field) {
        size = addSaturated(size, addSaturated(caseHead.size(), field.size()));
    });
    return size;
}

}  // namespace

std::size_t generatedCallSize(const MessageBoxSpec& derived, std::string_view title, const EditorLineViews& lines,
                              bool documentIsEmpty) noexcept {
    const std::string_view head = derived.useSelectBlock ? selectHead : plainHead;
    const std::size_t fixedPieces = head.size() + afterTitle.size() + beforeFlags.size() + callClose.size();
    std::size_t size = addSaturated(fixedPieces, escapedSize(title, titleQuote));
    size = addSaturated(size, readsAsEmptyText(lines, documentIsEmpty) ? emptyText.size() : messageTextSize(lines));
    size = addSaturated(size, derived.flagsExpression.size());
    if (derived.useSelectBlock) {
        size = addSaturated(size, selectTailSize(derived));
    }
    return size;
}

char* writeGeneratedCall(char* out, const MessageBoxSpec& derived, std::string_view title, const EditorLineViews& lines,
                         bool documentIsEmpty) noexcept {
    out = put(out, derived.useSelectBlock ? selectHead : plainHead);
    out = putEscaped(out, title, titleQuote);
    out = put(out, afterTitle);
    if (readsAsEmptyText(lines, documentIsEmpty)) {
        out = put(out, emptyText);
    } else {
        out = putMessageText(out, lines);
    }
    out = put(out, beforeFlags);
    out = put(out, derived.flagsExpression);
    out = put(out, callClose);
    if (derived.useSelectBlock) {
        forEachField(derived.resultIdList, [&out](std::string_view field) {
            out = put(out, caseHead);
            out = put(out, field);
        });
        out = put(out, selectClose);
    }
    return out;
}

std::string generateCall(const MessageBoxSpec& derived, std::string_view title, const EditorLineViews& lines,
                         bool documentIsEmpty) {
    std::string out(generatedCallSize(derived, title, lines, documentIsEmpty), '\0');
    writeGeneratedCall(out.data(), derived, title, lines, documentIsEmpty);
    return out;
}
