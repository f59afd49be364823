#include "clipboard.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "system_code_page.h"
#include "utf8.h"
#include "utf8_text.h"
#include "windows1251.h"

namespace {

// The locale placed beside the single-byte text names its code page to
// readers that convert it. A locale of that code page that the thread or the
// user already has is kept, so that the text's language stays theirs
// (Ukrainian, Bulgarian, ...); for Windows-1251 any other system gets
// Russian. The system's own code page is tried only where the user's locale
// has it.
constexpr LCID russianLocale = 0x0419;

LCID textLocale(UINT codePage) {
    for (const LCID candidate : {GetThreadLocale(), GetUserDefaultLCID()}) {
        if (localeAnsiCodePage(candidate) == codePage) {
            return candidate;
        }
    }
    return codePage == windows1251CodePage ? russianLocale : GetUserDefaultLCID();
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

HGLOBAL localeBlock(LCID locale) noexcept {
    const ClipboardTextBlock block = allocateLockedBlock(sizeof(locale));
    if (block.memory != nullptr) {
        std::memcpy(block.bytes, &locale, sizeof(locale));
        GlobalUnlock(block.memory);
    }
    return block.memory;
}

void freeBlocks(std::initializer_list<HGLOBAL> blocks) {
    for (const HGLOBAL block : blocks) {
        if (block != nullptr) {
            GlobalFree(block);
        }
    }
}

// Places the three formats on the open clipboard, all or none: a format the
// clipboard refuses empties it again, so that no reader finds the text in one
// format and the former content in another; a clipboard that cannot be
// emptied gets none. Answers the CF_TEXT handle.
HANDLE placeAllFormats(HGLOBAL unicode, HGLOBAL text, HGLOBAL locale) {
    if (clipboardFunctions().emptyClipboard() == FALSE) {
        freeBlocks({unicode, text, locale});
        return nullptr;
    }
    if (handOverBlock(CF_UNICODETEXT, unicode) == nullptr) {
        freeBlocks({text, locale});
        return nullptr;
    }
    HANDLE accepted = handOverBlock(CF_TEXT, text);
    if (accepted == nullptr || handOverBlock(CF_LOCALE, locale) == nullptr) {
        if (accepted == nullptr) {
            GlobalFree(locale);
        }
        clipboardFunctions().emptyClipboard();
        return nullptr;
    }
    return accepted;
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

void discardClipboardText(ClipboardTextBlock block) noexcept {
    if (block.memory != nullptr) {
        GlobalUnlock(block.memory);
        GlobalFree(block.memory);
    }
}

HGLOBAL allocateUnicodeClipboardText(std::string_view utf8) noexcept {
    return allocateUnicodeClipboardText(utf8, wideLengthOfUtf8(utf8));
}

HGLOBAL allocateUnicodeClipboardText(std::string_view utf8, std::size_t units) noexcept {
    if (units >= SIZE_MAX / sizeof(wchar_t) - 1) {
        return nullptr;
    }
    const ClipboardTextBlock block = allocateLockedBlock((units + 1) * sizeof(wchar_t));
    if (block.memory == nullptr) {
        return nullptr;
    }
    auto* const wide = reinterpret_cast<wchar_t*>(block.bytes);
    const bool whole = clipboardFunctions().writeWide(utf8, wide, units);
    wide[units] = L'\0';
    GlobalUnlock(block.memory);
    if (!whole) {
        GlobalFree(block.memory);
        return nullptr;
    }
    return block.memory;
}

ClipboardTextBlock allocateClipboardTextInSystemCodePage(HGLOBAL unicode, std::size_t units) noexcept {
    const std::optional<UINT> codePage = systemCodePageToTry();
    if (!codePage || unicode == nullptr) {
        return ClipboardTextBlock{};
    }
    ClipboardTextBlock block = allocateClipboardText(units);
    const auto* const wide = static_cast<const wchar_t*>(GlobalLock(unicode));
    const bool exact = block.memory != nullptr && wide != nullptr &&
                       writeExactlyInCodePage(std::wstring_view(wide, units), *codePage, block.bytes);
    if (wide != nullptr) {
        GlobalUnlock(unicode);
    }
    if (!exact) {
        discardClipboardText(block);
        return ClipboardTextBlock{};
    }
    block.codePage = *codePage;
    return block;
}

ClipboardFunctions& clipboardFunctions() {
    static ClipboardFunctions functions{EmptyClipboard, writeWideFromUtf8};
    return functions;
}

HANDLE placeClipboardText(HWND owner, ClipboardTextBlock block, HGLOBAL unicode) noexcept {
    if (block.memory != nullptr) {
        GlobalUnlock(block.memory);
    }
    const HGLOBAL locale = localeBlock(textLocale(block.codePage));
    if (block.memory == nullptr || unicode == nullptr || locale == nullptr) {
        freeBlocks({block.memory, unicode, locale});
        return nullptr;
    }
    if (!openClipboardPatiently(owner)) {
        freeBlocks({block.memory, unicode, locale});
        return nullptr;
    }
    HANDLE accepted = placeAllFormats(unicode, block.memory, locale);
    CloseClipboard();
    return accepted;
}

bool waitForFreeClipboard(HWND owner) noexcept {
    if (!openClipboardPatiently(owner)) {
        return false;
    }
    CloseClipboard();
    return true;
}

int clearClipboard(HWND owner) noexcept {
    if (!openClipboardPatiently(owner)) {
        return 0;
    }
    const BOOL emptied = clipboardFunctions().emptyClipboard();
    CloseClipboard();
    return emptied;
}

HANDLE setClipboardText(HWND owner, const char* text) noexcept {
    const std::string_view utf8 = text != nullptr ? text : "";
    const std::size_t units = wideLengthOfUtf8(utf8);
    const HGLOBAL unicode = allocateUnicodeClipboardText(utf8, units);
    std::string singleByte;
    bool windows1251HoldsAll = false;
    try {
        singleByte = windows1251FromUtf8(utf8);
        windows1251HoldsAll = utf8FromWindows1251(singleByte) == utf8;
    } catch (...) {
        freeBlocks({unicode});
        return nullptr;
    }
    ClipboardTextBlock block =
        windows1251HoldsAll ? ClipboardTextBlock{} : allocateClipboardTextInSystemCodePage(unicode, units);
    if (block.memory == nullptr) {
        block = allocateClipboardText(singleByte.size());
        if (block.memory != nullptr) {
            std::memcpy(block.bytes, singleByte.data(), singleByte.size());
        }
    }
    return placeClipboardText(owner, block, unicode);
}
