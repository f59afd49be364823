// What the wizard's insert changes in the PureBasic IDE's source, and with
// what: only the call it read or writes, every other byte of the source kept.
#pragma once

#include <string>
#include <string_view>

#include "editor_line_views.h"
#include "message_box_options.h"
#include "tool_environment.h"

struct InsertRequest {
    // The IDE's source in its own bytes, and the place to act on: the
    // selection the call was opened from, or the selection or caret as it
    // stands when nothing was opened.
    std::string_view document;
    ByteRange selection;
    bool replacesOpenedCall = false;
    // A source whose code page is not UTF-8 takes ASCII only.
    bool asciiOnly = false;
    std::string_view lineEnd = "\r\n";  // the source's own
};

// The call composed in the window, as the source generator takes it.
struct ComposedCall {
    const MessageBoxSpec& derived;
    std::string_view title;
    const EditorLineViews& lines;
    bool documentIsEmpty = false;
};

struct InsertPlan {
    ByteRange replaced;  // empty where the text goes in between
    std::string text;
};

// The opened call, when the selection still holds it: the whole call or
// Select block where it stands alone on its lines, written anew with
// follow-on lines indented like its first; else the MessageRequester(...)
// call alone, as a plain call. Otherwise the composed call goes in after the
// selection on lines of its own (at a caret inside a literal, comment or
// name, after that line), indented like the line it goes into; nothing is
// removed.
InsertPlan planInsert(const InsertRequest& request, const ComposedCall& composed);

// The generated call with every character beyond ASCII in its literals
// written as Chr() terms of its UTF-16 units, for a source whose bytes are
// not UTF-8: the compiled program then shows the same text.
std::string asciiOnlyCall(std::string_view call);
