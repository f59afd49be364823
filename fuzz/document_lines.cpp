// The editor's document cut into lines, against the rule stated byte by byte:
// a line ends at CR LF, at a lone CR or at a lone LF; its text stops at its
// first NUL; the last line is what follows the last line end. The lines are
// views into the document itself.
//
// Input: any bytes, taken as the document.
#include <string>
#include <string_view>
#include <vector>

#include "document_lines.h"
#include "fuzz_input.h"

namespace {

std::vector<std::string> statedLines(std::string_view document) {
    std::vector<std::string> lines(1);
    bool cut = false;
    for (std::size_t i = 0; i < document.size(); ++i) {
        const char c = document[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < document.size() && document[i + 1] == '\n') {
                ++i;
            }
            lines.emplace_back();
            cut = false;
        } else if (c == '\0') {
            cut = true;
        } else if (!cut) {
            lines.back() += c;
        }
    }
    return lines;
}

bool isViewInto(std::string_view view, std::string_view document) {
    const auto* const first = reinterpret_cast<const unsigned char*>(document.data());
    const auto* const start = reinterpret_cast<const unsigned char*>(view.data());
    return view.empty() || (start >= first && start + view.size() <= first + document.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    const EditorLineViews lines = cutDocumentLines(document);
    const std::vector<std::string> expected = statedLines(document);
    require(lines.size() == expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        require(lines[i] == expected[i]);
        require(isViewInto(lines[i], document));
    }
    return 0;
}
