// Reads one MessageRequester call back into the wizard's choices: the calls
// the source generator writes, and the usual hand-written forms of the same
// call. Only ASCII characters are syntax; every other byte of a string literal
// (UTF-8 or a single-byte code page alike) is taken as it stands.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "message_box_options.h"

struct ReadCall {
    // The title and the four list entries; an icon is never -1, a call
    // without one reads as entry 0.
    MessageBoxOptions options;
    // The message as the editor holds it: its text cut at every LF, CR LF and
    // lone CR, so that the lines joined by LF give the text back (with CR LF
    // and lone CR as LF). An empty message is one empty line.
    std::vector<std::string> lines;
};

// Answers the call held by source, or nothing when source is anything but
// exactly one call that the wizard can show again:
//
//   [Select] MessageRequester(title, message [, flags])
//   [Case <result> | Default]...   (one a line, only after Select)
//   [EndSelect]                    (only and always after Select)
//
// title and message are string terms joined by "+": "literals", #CRLF$, #LF$,
// #CR$, #DQUOTE$, Chr(10), Chr(13) and Chr(34); the title holds no line
// break. flags are message-box constants joined by "|", at most one of each
// group (button set, icon, modality, default button), naming entries of the
// option tables; without flags the call is the plain OK box. Keywords and
// constants are matched in any letter case; blanks and tabs may stand between
// all tokens, and blanks and line ends around the whole call. Anything else
// (a variable, a procedure call, another constant, code after the call or
// inside the block, a line break or a missing quote inside a literal) is
// refused rather than guessed at.
std::optional<ReadCall> readCall(std::string_view source);
