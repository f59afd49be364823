#include "code_page_text.h"

#include <windows.h>

#include <climits>

#include "utf8.h"

namespace {

constexpr UINT windows1252 = 1252;
// The platform's converters take int lengths.
constexpr std::size_t longestText = INT_MAX;

}  // namespace

std::string windows1252FromWide(std::wstring_view text) {
    if (text.empty() || text.size() >= longestText) {
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(windows1252, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return std::string();
    }
    std::string singleByte(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(windows1252, 0, text.data(), length, singleByte.data(), bytes, nullptr, nullptr);
    return singleByte;
}

std::string utf8FromAnsiCodePage(std::string_view bytes) {
    if (bytes.empty() || bytes.size() >= longestText) {
        return std::string();
    }
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (units <= 0) {
        return std::string();
    }
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), units);
    return utf8FromWide(wide);
}
