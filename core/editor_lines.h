// The editor's lines in document order, each without any CR or LF; texts are
// Windows-1251 bytes.
#pragma once

#include <string>
#include <vector>

using EditorLines = std::vector<std::string>;
