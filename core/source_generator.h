// Generates the PureBasic source of one MessageRequester call, optionally
// wrapped in a Select block over its result.
#pragma once

#include <string>
#include <string_view>

#include "editor_lines.h"
#include "message_box_options.h"

// Answers the source text: Windows-1251 bytes, CR LF only between the lines
// of a Select block, no trailing line break. When documentIsEmpty is true the
// lines are not consulted. A document that reads as one single empty line
// (or as no line at all) gets the empty-string message text as well.
std::string generateCall(const MessageBoxSpec& derived, std::string_view title, const EditorLines& lines,
                         bool documentIsEmpty);
