#include "system_code_page.h"

#include <climits>

#include "single_byte_code_page.h"

UINT localeAnsiCodePage(LCID locale) {
    DWORD codePage = 0;
    const int written = GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                       reinterpret_cast<LPSTR>(&codePage), static_cast<int>(sizeof(codePage)));
    return written > 0 ? codePage : 0;
}

std::optional<UINT> systemCodePageToTry() {
    return codePageToTry(GetACP(), localeAnsiCodePage(GetUserDefaultLCID()));
}

bool writeExactlyInCodePage(std::wstring_view text, UINT codePage, char* out) {
    if (text.size() >= static_cast<std::size_t>(INT_MAX)) {
        return false;
    }
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int written =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), length, out, length, nullptr, &usedDefault);
    return written == length && usedDefault == FALSE;
}
