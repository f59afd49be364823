#include "utf8.h"

#include <windows.h>

#include <climits>

namespace {

// The platform's converters take int lengths.
constexpr std::size_t longestText = INT_MAX;

}  // namespace

std::wstring wideFromUtf8(std::string_view text) {
    if (text.empty() || text.size() >= longestText) {
        return std::wstring();
    }
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    if (units <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), units);
    return wide;
}

std::string utf8FromWide(std::wstring_view text) {
    if (text.empty() || text.size() >= longestText) {
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return std::string();
    }
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}
