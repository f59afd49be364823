// The preview text is the lines joined by one LF each: followed by one LF it
// is every line followed by one LF, and no lines give the empty text.
//
// Input: the lines, each ended by LF (see FuzzInput::takeLines).
#include <string>

#include "fuzz_input.h"
#include "preview_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const EditorLineViews lines = input.takeLines();

    std::string linesEachEnded;
    for (const std::string_view line : lines) {
        linesEachEnded += line;
        linesEachEnded += '\n';
    }
    const std::string text = buildPreviewText(lines);
    require(lines.empty() ? text.empty() : text + '\n' == linesEachEnded);
    return 0;
}
