#include "windows1251_prefix.h"

#include <algorithm>
#include <array>

#include "ansi_text.h"
#include "utf8_bytes.h"

namespace {

using namespace utf8Bytes;

constexpr unsigned char payloadMask = 0x3F;
constexpr unsigned int payloadBits = 6;
constexpr unsigned char fiveByteLead = 0xF8;
constexpr unsigned char twoByteLeadPayload = 0x1F;
constexpr unsigned char threeByteLeadPayload = 0x0F;
constexpr char32_t threeByteMin = 0x800;
constexpr std::size_t twoByteCharacters = 0x800;

// The Windows-1251 byte of every code point below 0x800, 0 where there is
// none, taken from the literal converter's table.
constexpr std::array<unsigned char, twoByteCharacters> makeTwoByteTable() {
    std::array<unsigned char, twoByteCharacters> table{};
    const auto enter = [&table](char32_t codePoint) {
        if (codePoint >= asciiEnd && codePoint < twoByteCharacters) {
            table[codePoint] = static_cast<unsigned char>(cp1251FromCodePoint(codePoint));
        }
    };
    for (const char16_t character : cp1251UpperCharacters) {
        enter(character);
    }
    for (char32_t letter = firstCyrillicLetter; letter <= lastCyrillicLetter; ++letter) {
        enter(letter);
    }
    return table;
}

constexpr std::array<unsigned char, twoByteCharacters> twoByteTable = makeTwoByteTable();

unsigned int payloadOf(unsigned char continuationByte) {
    return continuationByte & payloadMask;
}

bool leadsTwoBytes(unsigned char lead) {
    return lead >= lowestTwoByteLead && lead < threeByteLead;
}

// The Windows-1251 byte of the two-byte character of lead and next; 0 when
// the code page has none.
unsigned char twoByteCharacterByte(unsigned char lead, unsigned char next) {
    return twoByteTable[(static_cast<unsigned int>(lead & twoByteLeadPayload) << payloadBits) | payloadOf(next)];
}

// The Windows-1251 byte of the character at the start of the left bytes at
// text, and its length; length 0 when it is no such character.
struct MappedCharacter {
    unsigned char byte = 0;
    std::size_t length = 0;
};

MappedCharacter mappedCharacterAt(const unsigned char* text, std::size_t left) {
    const unsigned char lead = text[0];
    if (lead < asciiEnd) {
        return {lead, 1};
    }
    if (leadsTwoBytes(lead)) {
        const unsigned char byte = left < 2 || !isContinuation(text[1]) ? 0 : twoByteCharacterByte(lead, text[1]);
        return {byte, byte == 0 ? std::size_t{0} : std::size_t{2}};
    }
    if (lead < threeByteLead || lead >= fourByteLead || left < 3 || !isContinuation(text[1]) ||
        !isContinuation(text[2])) {
        return {};
    }
    const char32_t codePoint = (static_cast<char32_t>(lead & threeByteLeadPayload) << (2 * payloadBits)) |
                               (payloadOf(text[1]) << payloadBits) | payloadOf(text[2]);
    const int byte = codePoint < threeByteMin ? -1 : cp1251FromCodePoint(codePoint);
    return byte < 0 ? MappedCharacter{} : MappedCharacter{static_cast<unsigned char>(byte), 3};
}

// How many bytes the sequence led by lead claims; 1 for a byte that leads none.
std::size_t sequenceLength(unsigned char lead) {
    if (leadsTwoBytes(lead)) {
        return 2;
    }
    if (lead >= threeByteLead && lead < fourByteLead) {
        return 3;
    }
    if (lead >= fourByteLead && lead < fiveByteLead) {
        return 4;
    }
    return 1;
}

const unsigned char* bytesOf(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

}  // namespace

ConvertedPrefix convertMappedPrefix(std::string_view utf8, char* out) {
    const unsigned char* const start = bytesOf(utf8);
    const unsigned char* const end = start + utf8.size();
    const unsigned char* in = start;
    char* written = out;
    while (in < end) {
        // ASCII and the two-byte characters, most of a Russian text, are
        // converted here in the loop; the compiler would not inline them.
        const unsigned char lead = *in;
        if (lead < asciiEnd) {
            *written++ = static_cast<char>(lead);
            ++in;
            continue;
        }
        if (leadsTwoBytes(lead) && end - in >= 2 && isContinuation(in[1])) {
            const unsigned char byte = twoByteCharacterByte(lead, in[1]);
            if (byte == 0) {
                break;
            }
            *written++ = static_cast<char>(byte);
            in += 2;
            continue;
        }
        const MappedCharacter character = mappedCharacterAt(in, static_cast<std::size_t>(end - in));
        if (character.length == 0) {
            break;
        }
        *written++ = static_cast<char>(character.byte);
        in += character.length;
    }
    return {static_cast<std::size_t>(in - start), static_cast<std::size_t>(written - out)};
}

std::size_t unmappedRunLength(std::string_view utf8) {
    const unsigned char* const text = bytesOf(utf8);
    std::size_t length = 0;
    while (length < utf8.size() && mappedCharacterAt(text + length, utf8.size() - length).length == 0) {
        length += sequenceLength(text[length]);
    }
    return std::min(length, utf8.size());
}
