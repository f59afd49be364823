#include "utf8.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace {

// The platform's converters take int lengths.
constexpr std::size_t longestText = INT_MAX;

}  // namespace

std::size_t wideLengthOfUtf8(std::string_view text) {
    if (text.empty() || text.size() >= longestText) {
        return 0;
    }
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    return static_cast<std::size_t>(std::max(units, 0));
}

bool writeWideFromUtf8(std::string_view text, wchar_t* out, std::size_t units) {
    if (text.empty() || units == 0) {
        return text.empty() && units == 0;
    }
    if (text.size() >= longestText || units >= longestText) {
        return false;
    }
    const int written =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out, static_cast<int>(units));
    return written == static_cast<int>(units);
}

std::wstring wideFromUtf8(std::string_view text) {
    std::wstring wide(wideLengthOfUtf8(text), L'\0');
    if (!writeWideFromUtf8(text, wide.data(), wide.size())) {
        return std::wstring();
    }
    return wide;
}

std::string utf8FromWide(std::wstring_view text) {
    if (text.empty() || text.size() >= longestText) {
        return std::string();
    }
    // Without WC_ERR_INVALID_CHARS a surrogate without its partner becomes
    // U+FFFD rather than failing the whole text.
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return std::string();
    }
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}
