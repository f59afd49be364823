// The message text of the live preview: the editor's lines joined by LF.
#pragma once

#include <string>

#include "editor_line_views.h"

std::string buildPreviewText(const EditorLineViews& lines);
