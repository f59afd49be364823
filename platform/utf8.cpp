#include "utf8.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace {

// The platform's converters take int lengths.
constexpr std::size_t longestText = INT_MAX;
constexpr UINT windows1252 = 1252;

// Without WC_ERR_INVALID_CHARS a surrogate without its partner becomes U+FFFD
// in UTF-8 rather than failing the whole text.
std::string narrowFromWide(UINT codePage, std::wstring_view text) {
    if (text.empty() || text.size() >= longestText) {
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return std::string();
    }
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), length, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

std::wstring wideFromNarrow(UINT codePage, std::string_view text) {
    if (text.empty() || text.size() >= longestText) {
        return std::wstring();
    }
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (units <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), units);
    return wide;
}

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
    return narrowFromWide(CP_UTF8, text);
}

std::string windows1252FromWide(std::wstring_view text) {
    return narrowFromWide(windows1252, text);
}

std::string utf8FromAnsiCodePage(std::string_view bytes) {
    return utf8FromWide(wideFromNarrow(CP_ACP, bytes));
}
