#include "clipboard.h"

#include <array>
#include <cstring>

namespace {

struct CodePageLocale {
    UINT codePage = 0;
    LCID locale = 0;
};

// A locale for each ANSI code page, used when neither the thread's nor the
// user's locale has the platform's ANSI code page.
constexpr std::array<CodePageLocale, 14> codePageLocales = {{
    {874, 0x041E},   // Thai
    {932, 0x0411},   // Japanese
    {936, 0x0804},   // Chinese (PRC)
    {949, 0x0412},   // Korean
    {950, 0x0404},   // Chinese (Taiwan)
    {1250, 0x0405},  // Czech
    {1251, 0x0419},  // Russian
    {1252, 0x0409},  // English (United States)
    {1253, 0x0408},  // Greek
    {1254, 0x041F},  // Turkish
    {1255, 0x040D},  // Hebrew
    {1256, 0x0401},  // Arabic
    {1257, 0x0426},  // Latvian
    {1258, 0x042A},  // Vietnamese
}};

bool localeHasAnsiCodePage(LCID locale, UINT codePage) {
    DWORD localeCodePage = 0;
    const int written = GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                       reinterpret_cast<LPSTR>(&localeCodePage),
                                       static_cast<int>(sizeof(localeCodePage)));
    return written > 0 && localeCodePage == codePage;
}

// The locale that names the code page the clipboard text is in; 0 when none
// is known.
LCID ansiTextLocale() {
    const UINT codePage = GetACP();
    for (const LCID candidate : {GetThreadLocale(), GetUserDefaultLCID()}) {
        if (localeHasAnsiCodePage(candidate, codePage)) {
            return candidate;
        }
    }
    for (const CodePageLocale& entry : codePageLocales) {
        if (entry.codePage == codePage) {
            return entry.locale;
        }
    }
    return 0;
}

bool fillBlock(HGLOBAL block, const void* data, std::size_t size) {
    void* target = GlobalLock(block);
    if (target == nullptr) {
        return false;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(block);
    return true;
}

// Fills block and hands it to the clipboard under format; answers the handle
// the clipboard accepted, or nullptr. A block the clipboard did not take is
// freed.
HANDLE handOverBlock(UINT format, HGLOBAL block, const void* data, std::size_t size) {
    if (!fillBlock(block, data, size)) {
        GlobalFree(block);
        return nullptr;
    }
    HANDLE accepted = SetClipboardData(format, block);
    if (accepted == nullptr) {
        GlobalFree(block);
    }
    return accepted;
}

void placeTextLocale() {
    const LCID locale = ansiTextLocale();
    if (locale == 0) {
        return;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(locale));
    if (block != nullptr) {
        handOverBlock(CF_LOCALE, block, &locale, sizeof(locale));
    }
}

// The clipboard is open. Empties it only once the text's block exists, so a
// failed allocation leaves the former content.
HANDLE placeText(const char* text) {
    const std::size_t size = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (block == nullptr) {
        return nullptr;
    }
    EmptyClipboard();
    HANDLE accepted = handOverBlock(CF_TEXT, block, text, size);
    if (accepted != nullptr) {
        placeTextLocale();
    }
    return accepted;
}

}  // namespace

int clearClipboard() {
    if (!OpenClipboard(nullptr)) {
        return 0;
    }
    const BOOL emptied = EmptyClipboard();
    CloseClipboard();
    return emptied;
}

HANDLE setClipboardText(const char* text) {
    if (!OpenClipboard(nullptr)) {
        return nullptr;
    }
    HANDLE accepted = placeText(text != nullptr ? text : "");
    CloseClipboard();
    return accepted;
}
