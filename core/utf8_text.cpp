#include "utf8_text.h"

#include <cstdint>
#include <cstring>

#include "ansi_text.h"
#include "utf8_bytes.h"

namespace {

using namespace utf8Bytes;

constexpr unsigned char surrogateLead = 0xED;
constexpr unsigned char highestFourByteLead = 0xF4;
// The bounds of the second byte where the lead alone does not rule out an
// overlong form, a surrogate or a code point beyond U+10FFFF.
constexpr unsigned char lowestSecondAfterE0 = 0xA0;
constexpr unsigned char highestSecondAfterED = 0x9F;
constexpr unsigned char lowestSecondAfterF0 = 0x90;
constexpr unsigned char highestSecondAfterF4 = 0x8F;
constexpr unsigned char highestContinuation = 0xBF;

// The length of the well-formed sequence at the start of text, 0 when there
// is none.
std::size_t sequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < asciiEnd) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char lowestSecond = continuation;
    unsigned char highestSecond = highestContinuation;
    if (lead >= lowestTwoByteLead && lead < threeByteLead) {
        length = 2;
    } else if (lead >= threeByteLead && lead < fourByteLead) {
        length = 3;
        lowestSecond = lead == threeByteLead ? lowestSecondAfterE0 : continuation;
        highestSecond = lead == surrogateLead ? highestSecondAfterED : highestContinuation;
    } else if (lead >= fourByteLead && lead <= highestFourByteLead) {
        length = 4;
        lowestSecond = lead == fourByteLead ? lowestSecondAfterF0 : continuation;
        highestSecond = lead == highestFourByteLead ? highestSecondAfterF4 : highestContinuation;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[1]);
    if (second < lowestSecond || second > highestSecond) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i]))) {
            return 0;
        }
    }
    return length;
}

// Runs of ASCII are most of a typical text: they are passed over eight bytes
// at a time.
std::size_t asciiRunLength(std::string_view text) {
    constexpr std::size_t word = sizeof(std::uint64_t);
    constexpr std::uint64_t highBits = 0x8080808080808080U;
    std::size_t i = 0;
    while (i + word <= text.size()) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, text.data() + i, word);
        if ((bytes & highBits) != 0) {
            break;
        }
        i += word;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < asciiEnd) {
        ++i;
    }
    return i;
}

char32_t windows1251Character(unsigned char byte) {
    constexpr unsigned char firstLetterByte = 0xC0;
    if (byte >= firstLetterByte) {
        return firstCyrillicLetter + (byte - firstLetterByte);
    }
    const char16_t mapped = cp1251UpperCharacters[byte - asciiEnd];
    return mapped != 0 ? mapped : byte;
}

}  // namespace

void appendUtf8(std::string& out, char32_t codePoint) {
    constexpr char32_t twoByteLimit = 0x800;
    constexpr char32_t threeByteLimit = 0x10000;
    constexpr unsigned int payloadBits = 6;
    constexpr unsigned char twoByteLeadBits = 0xC0;
    constexpr unsigned char payloadMask = 0x3F;
    const auto payload = [codePoint](unsigned int shift) {
        return static_cast<char>(continuation | ((codePoint >> shift) & payloadMask));
    };
    if (codePoint < asciiEnd) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < twoByteLimit) {
        out += static_cast<char>(twoByteLeadBits | (codePoint >> payloadBits));
        out += payload(0);
    } else if (codePoint < threeByteLimit) {
        out += static_cast<char>(threeByteLead | (codePoint >> (2 * payloadBits)));
        out += payload(payloadBits);
        out += payload(0);
    } else {
        out += static_cast<char>(fourByteLead | (codePoint >> (3 * payloadBits)));
        out += payload(2 * payloadBits);
        out += payload(payloadBits);
        out += payload(0);
    }
}

Utf8Character leadingUtf8Character(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const std::size_t length = sequenceLength(text);
    if (length == 0) {
        return {};
    }
    constexpr unsigned char payloadMask = 0x3F;
    constexpr unsigned int payloadBits = 6;
    // The lead's own bits: all of an ASCII byte, fewer the longer the sequence.
    constexpr unsigned char leadMasks[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t codePoint = static_cast<unsigned char>(text[0]) & leadMasks[length];
    for (std::size_t i = 1; i < length; ++i) {
        codePoint = (codePoint << payloadBits) | (static_cast<unsigned char>(text[i]) & payloadMask);
    }
    return {codePoint, length};
}

std::size_t validUtf8Length(std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        done += asciiRunLength(text.substr(done));
        if (done == text.size()) {
            break;
        }
        const std::size_t length = sequenceLength(text.substr(done));
        if (length == 0) {
            break;
        }
        done += length;
    }
    return done;
}

std::string utf8WithWindows1251Fallback(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t valid = validUtf8Length(text);
        out.append(text.substr(0, valid));
        text.remove_prefix(valid);
        if (!text.empty()) {
            appendUtf8(out, windows1251Character(static_cast<unsigned char>(text.front())));
            text.remove_prefix(1);
        }
    }
    return out;
}

std::string utf8FromWindows1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        appendUtf8(out, value < asciiEnd ? value : windows1251Character(value));
    }
    return out;
}

Utf8Counts countUtf8(std::string_view text) {
    Utf8Counts counts;
    for (const char byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        counts.characters += isContinuation(value) ? 0U : 1U;
        counts.supplementary += value >= fourByteLead ? 1U : 0U;
    }
    return counts;
}
