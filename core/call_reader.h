// Reads a MessageRequester call back out of someone's source into the
// wizard's choices: the calls the source generator writes, and the forms a
// PureBasic programmer writes by hand, also among other code. Only ASCII
// characters are syntax; the bytes of a string literal are handed to a
// decoder, so that a source in any code page reads as its user sees it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "message_box_options.h"
#include "tool_environment.h"

struct ReadCall {
    // The title and the four list entries; an icon is never -1, a call
    // without one reads as entry 0.
    MessageBoxOptions options;
    // The message as the editor holds it: its text cut at every LF, CR LF and
    // lone CR, so that the lines joined by LF give the text back (with CR LF
    // and lone CR as LF). An empty message is one empty line.
    std::vector<std::string> lines;
};

// Why a selection does not open in the window.
enum class UnreadSelection { noCall, severalCalls, partialCall, title, message, flags };
inline constexpr std::size_t unreadSelectionCount = 6;

// The bytes of a string literal as UTF-8 text; null takes them as they stand.
using LiteralDecoder = std::string (*)(std::string_view bytes);

struct SelectionReading {
    // The one call that lies within the selection, read; nothing when there
    // is none, more than one, or one that cannot be read exactly.
    std::optional<ReadCall> call;
    UnreadSelection unread = UnreadSelection::noCall;  // why, when call is empty
    // Offsets into the document, from "MessageRequester" to its ")".
    ByteRange callBytes;
    // The call as the wizard writes it, with its Select block and bare Case
    // lines where it has one, when that is all the selected lines hold and
    // it does not continue a statement of the line before; nothing else.
    std::optional<ByteRange> standaloneBytes;
};

// Reads the selection of document (both in the document's own bytes). The
// call is a MessageRequester(title, message [, flags]) whose title and
// message are string terms joined by "+" ("...", ~"..." with its escapes,
// #CRLF$, #LF$, #CR$, #LFCR$, #TAB$, #DQUOTE$, #DOUBLEQUOTE$, #Empty$, Chr(n)
// of any character, a surrogate pair as two), the title without a line
// break, and whose flags are 0 or message-box constants joined by "|", at
// most one of each group (button set, icon, modality, default button). Lines
// go on after a trailing "+", "," or "|". Anything else inside the call (a
// variable, a procedure call, another constant, a comment) is refused rather
// than guessed at; around it, any code may stand.
SelectionReading readSelection(std::string_view document, ByteRange selection, LiteralDecoder decode = nullptr);

// The call that source holds, read as a selection of all of it.
std::optional<ReadCall> readCall(std::string_view source);
