// Size arithmetic that stops at SIZE_MAX instead of wrapping. A size that
// reaches it is more than any allocation can give and is refused there,
// where a wrapped one would ask for a block too small for what is written.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t addSaturated(std::size_t a, std::size_t b) {
    return a > SIZE_MAX - b ? SIZE_MAX : a + b;
}

constexpr std::size_t multiplySaturated(std::size_t a, std::size_t b) {
    return b != 0 && a > SIZE_MAX / b ? SIZE_MAX : a * b;
}
