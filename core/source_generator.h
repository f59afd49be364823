// Generates the PureBasic source of one MessageRequester call, optionally
// wrapped in a Select block over its result.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "editor_line_views.h"
#include "message_box_options.h"

// The source text is the bytes of the title and lines with the call's ASCII
// around them: UTF-8 from the program's texts (the clipboard's single-byte
// text is composed the same way from the texts in its code page). CR LF only
// between the lines of a Select block, no trailing line break. When documentIsEmpty is true the lines
// are not consulted. A document that reads as one single empty line (or as no
// line at all) gets the empty-string message text as well.
//
// The text is sized first and then written where it is to end, so that a
// large message is not copied once more: generatedCallSize answers its length
// in bytes (no NUL), SIZE_MAX when that length does not fit in a size, and
// writeGeneratedCall writes exactly that many bytes from out on and answers
// the end of what it wrote.
std::size_t generatedCallSize(const MessageBoxSpec& derived, std::string_view title, const EditorLineViews& lines,
                              bool documentIsEmpty) noexcept;
char* writeGeneratedCall(char* out, const MessageBoxSpec& derived, std::string_view title, const EditorLineViews& lines,
                         bool documentIsEmpty) noexcept;

// The same text as a string.
std::string generateCall(const MessageBoxSpec& derived, std::string_view title, const EditorLineViews& lines,
                         bool documentIsEmpty);
