// For any title, lines and choices the generated call parses, and evaluated
// the way PureBasic would, its title is the title, its message the preview
// text and its flags the derived style; a button set of several buttons
// wraps it in a select block with one Case line per button, in the box's
// order.
//
// Input: one byte each for the button set, icon, modality and default button,
// one byte whose low bit says whether a document that reads as no text is
// empty, then the title up to the first LF, then the lines.
#include <optional>
#include <string>

#include "basic_expression.h"
#include "choices.h"
#include "fuzz_input.h"
#include "message_box_options.h"
#include "preview_text.h"
#include "source_generator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    MessageBoxOptions options;
    options.buttonSetIndex = input.takeIndex(buttonSetTable.size());
    options.iconIndex = input.takeIndex(iconTable.size());
    options.modalityIndex = input.takeIndex(modalityTable.size());
    options.defaultButtonIndex = input.takeIndex(defaultButtonTable.size());
    const bool emptyIfNoText = (input.takeByte() & 1U) != 0;
    options.title = input.takeUntilLineFeed();
    const EditorLineViews lines = input.takeLines();

    // Only a document without characters is empty; it reads as one empty
    // line (or as none, without an editor).
    const bool readsAsNoText = lines.empty() || (lines.size() == 1 && lines.front().empty());
    const bool documentIsEmpty = readsAsNoText && emptyIfNoText;

    const MessageBoxSpec derived = deriveSpec(options);
    const std::optional<ParsedCall> call = parseCall(generateCall(derived, options.title, lines, documentIsEmpty));
    require(call.has_value());
    require(call->title == options.title);
    require(call->message == buildPreviewText(lines));
    require(evaluateFlags(call->flags) == derived.flagsValue);

    // A button set outside the list is the single OK button.
    const bool listed = options.buttonSetIndex >= 0 && options.buttonSetIndex < std::ssize(resultsOfButtonSet);
    const std::vector<std::string> cases =
        listed ? resultsOfButtonSet[static_cast<std::size_t>(options.buttonSetIndex)] : std::vector<std::string>{};
    require(call->selectBlock == !cases.empty());
    require(call->cases == cases);
    return 0;
}
