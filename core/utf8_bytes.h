// The byte classes of UTF-8 that the conversions and checks of the program's
// texts step by.
#pragma once

namespace utf8Bytes {

inline constexpr unsigned char asciiEnd = 0x80;
inline constexpr unsigned char continuationMask = 0xC0;
inline constexpr unsigned char continuation = 0x80;
inline constexpr unsigned char lowestTwoByteLead = 0xC2;  // 0xC0 and 0xC1 only start overlong forms
inline constexpr unsigned char threeByteLead = 0xE0;
inline constexpr unsigned char fourByteLead = 0xF0;

constexpr bool isContinuation(unsigned char byte) {
    return (byte & continuationMask) == continuation;
}

}  // namespace utf8Bytes
