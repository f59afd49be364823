#include "clipboard.h"

#include <array>
#include <cstdint>
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

// How long the clipboard is waited for when another program holds it open:
// clipboard viewers and managers open it for a moment after every change.
constexpr int openAttempts = 50;
constexpr DWORD pauseBetweenAttempts = 10;  // milliseconds

bool openClipboardPatiently(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner) != FALSE) {
            return true;
        }
        if (attempt == openAttempts) {
            return false;
        }
        Sleep(pauseBetweenAttempts);
    }
}

// Hands a filled, unlocked block to the clipboard under format; answers the
// handle the clipboard accepted, or nullptr. A block the clipboard did not
// take is freed.
HANDLE handOverBlock(UINT format, HGLOBAL block) {
    HANDLE accepted = SetClipboardData(format, block);
    if (accepted == nullptr) {
        GlobalFree(block);
    }
    return accepted;
}

// A movable block of size bytes, locked for writing; both fields null when it
// cannot be allocated or locked.
ClipboardTextBlock allocateLockedBlock(std::size_t size) noexcept {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (memory == nullptr) {
        return ClipboardTextBlock{};
    }
    auto* const bytes = static_cast<char*>(GlobalLock(memory));
    if (bytes == nullptr) {
        GlobalFree(memory);
        return ClipboardTextBlock{};
    }
    return ClipboardTextBlock{memory, bytes};
}

void placeTextLocale(LCID locale) {
    if (locale == 0) {
        return;
    }
    const ClipboardTextBlock block = allocateLockedBlock(sizeof(locale));
    if (block.memory == nullptr) {
        return;
    }
    std::memcpy(block.bytes, &locale, sizeof(locale));
    GlobalUnlock(block.memory);
    handOverBlock(CF_LOCALE, block.memory);
}

}  // namespace

ClipboardTextBlock allocateClipboardText(std::size_t length) noexcept {
    if (length == SIZE_MAX) {
        return ClipboardTextBlock{};
    }
    const ClipboardTextBlock block = allocateLockedBlock(length + 1);
    if (block.memory != nullptr) {
        block.bytes[length] = '\0';
    }
    return block;
}

HANDLE placeClipboardText(HWND owner, ClipboardTextBlock block) noexcept {
    if (block.memory == nullptr) {
        return nullptr;
    }
    GlobalUnlock(block.memory);
    const LCID locale = ansiTextLocale();
    if (!openClipboardPatiently(owner)) {
        GlobalFree(block.memory);
        return nullptr;
    }
    EmptyClipboard();
    HANDLE accepted = handOverBlock(CF_TEXT, block.memory);
    if (accepted != nullptr) {
        placeTextLocale(locale);
    }
    CloseClipboard();
    return accepted;
}

int clearClipboard(HWND owner) noexcept {
    if (!openClipboardPatiently(owner)) {
        return 0;
    }
    const BOOL emptied = EmptyClipboard();
    CloseClipboard();
    return emptied;
}

HANDLE setClipboardText(HWND owner, const char* text) noexcept {
    const char* const source = text != nullptr ? text : "";
    const std::size_t length = std::strlen(source);
    const ClipboardTextBlock block = allocateClipboardText(length);
    if (block.memory == nullptr) {
        return nullptr;
    }
    std::memcpy(block.bytes, source, length);
    return placeClipboardText(owner, block);
}
