#include "preview_text.h"

std::string buildPreviewText(const EditorLineViews& lines) {
    std::size_t size = 0;
    for (const std::string_view line : lines) {
        size += line.size() + 1;
    }
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += lines[i];
    }
    return text;
}
