// Reading a call back: for any title, lines and choices the generated call
// reads back as those choices and that text (an icon list without a
// selection as "Нет иконки", a text written as the empty string as one empty
// line, indexes outside a list as its entry 0). And the input's bytes taken
// as source never crash the reader; what it reads from them, written again
// by the generator, reads back the same. A selection of them reads as a call
// only when the call lies within it, and an insert there replaces nothing
// outside it. A call of valid UTF-8 written in ASCII alone reads the same.
//
// Input: one byte each for the button set, icon, modality and default button,
// one byte whose low bit says whether a document that reads as no text is
// empty, then the title up to the first LF, then the lines. CRs and NULs are
// dropped from the title and the lines, since neither the title field nor an
// editor's line holds one.
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "call_reader.h"
#include "fuzz_input.h"
#include "insert_plan.h"
#include "message_box_options.h"
#include "source_generator.h"
#include "utf8_text.h"

namespace {

std::string withoutCrAndNul(std::string_view text) {
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [](char c) { return c != '\r' && c != '\0'; });
    return kept;
}

// Derivation takes an index outside its list as entry 0.
std::int32_t listedOrZero(std::int32_t index, std::size_t entries) {
    return index >= 0 && static_cast<std::size_t>(index) < entries ? index : 0;
}

bool sameCall(const ReadCall& a, const ReadCall& b) {
    return a.options.title == b.options.title && a.lines == b.lines &&
           a.options.buttonSetIndex == b.options.buttonSetIndex && a.options.iconIndex == b.options.iconIndex &&
           a.options.modalityIndex == b.options.modalityIndex &&
           a.options.defaultButtonIndex == b.options.defaultButtonIndex;
}

std::string generateFrom(const ReadCall& call) {
    const bool noText = call.lines.size() == 1 && call.lines.front().empty();
    return generateCall(deriveSpec(call.options), call.options.title,
                        EditorLineViews(call.lines.begin(), call.lines.end()), noText);
}

bool within(ByteRange inner, ByteRange outer) {
    return inner.start >= outer.start && inner.end <= outer.end && inner.start <= inner.end;
}

void checkReadingTheInput(std::string_view source) {
    const std::optional<ReadCall> call = readCall(source);
    if (call) {
        const std::optional<ReadCall> again = readCall(generateFrom(*call));
        require(again.has_value() && sameCall(*again, *call));
    }
    const std::size_t start = source.empty() ? 0 : static_cast<unsigned char>(source[0]) % (source.size() + 1);
    const std::size_t length = source.size() < 2 ? 0 : static_cast<unsigned char>(source[1]) % (source.size() - start + 1);
    const ByteRange selection{start, start + length};
    const SelectionReading reading = readSelection(source, selection);
    require(!reading.call || within(reading.callBytes, selection));
    require(!reading.standaloneBytes || (within(*reading.standaloneBytes, selection) &&
                                         within(reading.callBytes, *reading.standaloneBytes)));
    const MessageBoxSpec derived = deriveSpec(MessageBoxOptions{});
    const EditorLineViews lines{"m"};
    const InsertPlan plan = planInsert(InsertRequest{source, selection, true}, ComposedCall{derived, "t", lines});
    require(reading.call ? within(plan.replaced, selection) : plan.replaced.start == plan.replaced.end);
}

bool isValidUtf8(std::string_view text) {
    return validUtf8Length(text) == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    checkReadingTheInput(input.rest);

    ReadCall expected;
    MessageBoxOptions& options = expected.options;
    options.buttonSetIndex = input.takeIndex(buttonSetTable.size());
    options.iconIndex = input.takeIndex(iconTable.size());
    options.modalityIndex = input.takeIndex(modalityTable.size());
    options.defaultButtonIndex = input.takeIndex(defaultButtonTable.size());
    const bool emptyIfNoText = (input.takeByte() & 1U) != 0;
    options.title = withoutCrAndNul(input.takeUntilLineFeed());
    for (const std::string_view line : input.takeLines()) {
        expected.lines.push_back(withoutCrAndNul(line));
    }
    const bool readsAsNoText = expected.lines.empty() || (expected.lines.size() == 1 && expected.lines[0].empty());
    const std::string source = generateCall(deriveSpec(options), options.title,
                                            EditorLineViews(expected.lines.begin(), expected.lines.end()),
                                            readsAsNoText && emptyIfNoText);

    options.buttonSetIndex = listedOrZero(options.buttonSetIndex, buttonSetTable.size());
    options.iconIndex = listedOrZero(options.iconIndex, iconTable.size());
    options.modalityIndex = listedOrZero(options.modalityIndex, modalityTable.size());
    options.defaultButtonIndex = listedOrZero(options.defaultButtonIndex, defaultButtonTable.size());
    if (readsAsNoText) {
        expected.lines = {""};
    }
    const std::optional<ReadCall> call = readCall(source);
    require(call.has_value() && sameCall(*call, expected));
    if (isValidUtf8(source)) {
        const std::optional<ReadCall> ascii = readCall(asciiOnlyCall(source));
        require(ascii.has_value() && sameCall(*ascii, expected));
    }
    return 0;
}
