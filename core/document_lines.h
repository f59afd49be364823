// Cutting a document's bytes into the editor's lines, without copying them.
#pragma once

#include <string_view>

#include "editor_line_views.h"

// Answers the lines of document as views into it, first line first, as the
// editor counts them: a line ends at CR LF, at a lone CR or at a lone LF. Each
// view stops at the line's first NUL and never holds a CR or LF. An empty
// document is one empty line; a document that ends with a line end has an
// empty last line.
EditorLineViews cutDocumentLines(std::string_view document);
