#include "insert_plan.h"

#include <algorithm>
#include <string>

#include "basic_syntax.h"
#include "call_reader.h"
#include "source_generator.h"
#include "utf8_bytes.h"
#include "utf8_text.h"

namespace {

constexpr std::string_view generatedLineEnd = "\r\n";

// The leading blanks and tabs of the line that at lies on.
std::string_view indentOf(std::string_view text, std::size_t at) {
    const std::size_t start = basic::lineStart(text, at);
    std::size_t end = start;
    while (end < text.size() && basic::isBlank(text[end])) {
        ++end;
    }
    return text.substr(start, end - start);
}

// The generated text with the source's line end between its lines, each
// follow-on line indented.
std::string laidOut(std::string_view text, std::string_view lineEnd, std::string_view indent) {
    std::string out;
    for (;;) {
        const std::size_t lineBreak = text.find(generatedLineEnd);
        out.append(text.substr(0, lineBreak));
        if (lineBreak == std::string_view::npos) {
            return out;
        }
        out.append(lineEnd).append(indent);
        text.remove_prefix(lineBreak + generatedLineEnd.size());
    }
}

std::string composedText(const InsertRequest& request, const ComposedCall& composed, bool plainCall) {
    MessageBoxSpec derived = composed.derived;
    derived.useSelectBlock = derived.useSelectBlock && !plainCall;
    const std::string call = generateCall(derived, composed.title, composed.lines, composed.documentIsEmpty);
    return request.asciiOnly ? asciiOnlyCall(call) : call;
}

// Whether a line break at at would cut a literal, a comment or a name.
bool cutsToken(std::string_view text, std::size_t at) {
    for (std::size_t token = basic::lineStart(text, at); token < at;) {
        const std::size_t end = basic::tokenEnd(text, token);
        if (end > at) {
            return true;
        }
        token = end;
    }
    return false;
}

InsertPlan insertAfterSelection(const InsertRequest& request, const ComposedCall& composed) {
    const std::string_view document = request.document;
    std::size_t at = request.selection.end;
    if (cutsToken(document, at)) {
        at = basic::lineContentEnd(document, at);
    }
    const std::string_view indent = indentOf(document, at);
    const std::size_t start = basic::lineStart(document, at);
    const bool textBefore = !basic::isBlankText(document.substr(start, at - start));
    if (!textBefore) {
        at = start + indent.size();
    }
    const bool textAfter = !basic::isBlankText(document.substr(at, basic::lineContentEnd(document, at) - at));
    std::string text;
    if (textBefore) {
        text.append(request.lineEnd).append(indent);
    }
    text += laidOut(composedText(request, composed, false), request.lineEnd, indent);
    if (textAfter) {
        text.append(request.lineEnd).append(indent);
    }
    return InsertPlan{ByteRange{at, at}, std::move(text)};
}

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < utf8Bytes::asciiEnd;
}

// A literal's inside, split into ASCII literals and Chr() terms joined by "+".
void appendAsciiLiteral(std::string& out, std::string_view inside) {
    constexpr char32_t replacementCharacter = 0xFFFD;
    constexpr char32_t pastSixteenBits = 0x10000;
    constexpr char32_t highSurrogateBase = 0xD800 - (pastSixteenBits >> 10U);
    constexpr char32_t lowSurrogateBase = 0xDC00;
    constexpr char32_t lowTenBits = 0x3FF;
    bool first = true;
    const auto appendTerm = [&out, &first](std::string_view open, std::string_view term, std::string_view close) {
        out.append(first ? "" : "+").append(open).append(term).append(close);
        first = false;
    };
    while (!inside.empty()) {
        std::size_t ascii = 0;
        while (ascii < inside.size() && isAscii(inside[ascii])) {
            ++ascii;
        }
        if (ascii > 0) {
            appendTerm("\"", inside.substr(0, ascii), "\"");
            inside.remove_prefix(ascii);
            continue;
        }
        Utf8Character character = leadingUtf8Character(inside);
        if (character.length == 0) {
            character = Utf8Character{replacementCharacter, 1};
        }
        const char32_t code = character.codePoint;
        if (code < pastSixteenBits) {
            appendTerm("Chr(", std::to_string(code), ")");
        } else {
            appendTerm("Chr(", std::to_string(highSurrogateBase + (code >> 10U)), ")");
            appendTerm("Chr(", std::to_string(lowSurrogateBase + (code & lowTenBits)), ")");
        }
        inside.remove_prefix(character.length);
    }
}

}  // namespace

InsertPlan planInsert(const InsertRequest& request, const ComposedCall& composed) {
    if (!request.replacesOpenedCall) {
        return insertAfterSelection(request, composed);
    }
    const SelectionReading reading = readSelection(request.document, request.selection);
    if (!reading.call) {
        return insertAfterSelection(request, composed);
    }
    if (reading.standaloneBytes) {
        const std::string_view indent = indentOf(request.document, reading.standaloneBytes->start);
        return InsertPlan{*reading.standaloneBytes,
                          laidOut(composedText(request, composed, false), request.lineEnd, indent)};
    }
    return InsertPlan{reading.callBytes, composedText(request, composed, true)};
}

std::string asciiOnlyCall(std::string_view call) {
    std::string out;
    out.reserve(call.size());
    while (!call.empty()) {
        const std::size_t opening = call.find('"');
        const std::size_t closing = opening == std::string_view::npos ? opening : call.find('"', opening + 1);
        if (closing == std::string_view::npos) {
            out.append(call);
            break;
        }
        out.append(call.substr(0, opening));
        const std::string_view inside = call.substr(opening + 1, closing - opening - 1);
        if (std::all_of(inside.begin(), inside.end(), isAscii)) {
            out.append(call.substr(opening, closing + 1 - opening));
        } else {
            appendAsciiLiteral(out, inside);
        }
        call.remove_prefix(closing + 1);
    }
    return out;
}
