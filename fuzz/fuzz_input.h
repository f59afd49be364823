// Reads a fuzzer's byte string as the wizard's inputs. Every byte string
// decodes to some input, so the fuzzer never wastes a run on a rejected one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor_line_views.h"

struct FuzzInput {
    std::string_view rest;

    FuzzInput(const std::uint8_t* data, std::size_t size) : rest(reinterpret_cast<const char*>(data), size) {}

    // The next byte, or 0 once the input is used up.
    std::uint8_t takeByte() {
        if (rest.empty()) {
            return 0;
        }
        const auto byte = static_cast<std::uint8_t>(rest.front());
        rest.remove_prefix(1);
        return byte;
    }

    // An entry number of a list with the given number of entries, from -1 (no
    // selection) to one past the last entry.
    std::int32_t takeIndex(std::size_t entries) {
        const std::size_t choices = entries + 2;
        return static_cast<std::int32_t>(takeByte() % choices) - 1;
    }

    // The bytes up to the next LF (which is taken too), or the rest.
    std::string_view takeUntilLineFeed() {
        const std::size_t end = rest.find('\n');
        const std::string_view piece = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        return piece;
    }

    // The rest as editor lines: each line ended by LF, and bytes after the
    // last LF one more line; CRs are dropped, since no line holds one. The
    // empty rest gives no line at all, a lone LF one empty line. The lines
    // are views into texts that this input keeps.
    EditorLineViews takeLines() {
        lineTexts.clear();
        while (!rest.empty()) {
            std::string line;
            for (const char c : takeUntilLineFeed()) {
                if (c != '\r') {
                    line += c;
                }
            }
            lineTexts.push_back(std::move(line));
        }
        return EditorLineViews(lineTexts.begin(), lineTexts.end());
    }

    std::vector<std::string> lineTexts;
};

// Stops the run with libFuzzer's crash report (and the input that caused it)
// when a property does not hold.
inline void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}
