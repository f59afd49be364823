#include "windows1251.h"

#include <windows.h>

#include "utf8.h"

#include <algorithm>
#include <climits>

namespace {

constexpr UINT windows1251 = 1251;

// The platform's converters take int lengths; a single-byte code page gives
// one unit for each byte and back, so longer texts convert piece by piece.
constexpr std::size_t longestPiece = INT_MAX;

int pieceAt(std::size_t done, std::size_t size) {
    return static_cast<int>(std::min(size - done, longestPiece));
}

}  // namespace

std::wstring wideFromWindows1251(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    for (std::size_t done = 0; done < text.size();) {
        const int piece = pieceAt(done, text.size());
        MultiByteToWideChar(windows1251, 0, text.data() + done, piece, wide.data() + done, piece);
        done += static_cast<std::size_t>(piece);
    }
    return wide;
}

std::size_t writeWindows1251(std::wstring_view text, char* out) {
    std::size_t written = 0;
    for (std::size_t done = 0; done < text.size();) {
        const int piece = pieceAt(done, text.size());
        const int bytes =
            WideCharToMultiByte(windows1251, 0, text.data() + done, piece, out + written, piece, nullptr, nullptr);
        written += static_cast<std::size_t>(std::max(bytes, 0));
        done += static_cast<std::size_t>(piece);
    }
    return written;
}

std::string windows1251FromWide(std::wstring_view text) {
    std::string bytes(text.size(), '\0');
    bytes.resize(writeWindows1251(text, bytes.data()));
    return bytes;
}

std::string windows1251FromUtf8(std::string_view text) {
    return windows1251FromWide(wideFromUtf8(text));
}
