// The editor's lines in document order, each without any CR or LF; texts are
// UTF-8, or the lines of the clipboard's single-byte text in its code page.
// The lines are views: whoever answers them keeps the bytes they point into.
#pragma once

#include <string_view>
#include <vector>

using EditorLineViews = std::vector<std::string_view>;
