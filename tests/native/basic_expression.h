// A small reader of generated PureBasic source, for the tests only: it parses
// one MessageRequester call (optionally inside a Select block) and evaluates
// its string expressions, so that what the generator writes can be compared
// with what a PureBasic program would see at run time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ParsedCall {
    bool selectBlock = false;
    std::string title;    // the title expression, evaluated
    std::string message;  // the message expression, evaluated
    std::string flags;    // the flags expression as written
    std::vector<std::string> cases;
};

// Answers the parsed call, or nothing when the text is not exactly one call
// (with its Select block) in the shape the generator writes.
std::optional<ParsedCall> parseCall(std::string_view source);

// Answers the style that a "|"-joined list of message-box constants stands
// for, by Windows' values of the constants, or nothing for an unknown name.
std::optional<std::uint32_t> evaluateFlags(std::string_view flags);
