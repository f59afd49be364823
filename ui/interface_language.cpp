#include "interface_language.h"

#include <windows.h>

#include <optional>
#include <string>

#include "utf8.h"

namespace {

constexpr const wchar_t* ideLanguageVariable = L"PB_TOOL_Language";

std::optional<InterfaceLanguage>& languageInUse() {
    static std::optional<InterfaceLanguage> language;
    return language;
}

// The variable's value in UTF-8; nothing where it is not set.
std::optional<std::string> environmentVariable(const wchar_t* name) {
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
            return std::nullopt;
        }
        return std::string();
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    if (length >= size) {
        return std::string();  // changed between the two calls
    }
    value.resize(length);
    return utf8FromWide(value);
}

InterfaceLanguage languageSet() {
    if (!languageInUse().has_value()) {
        languageInUse() = sessionInterfaceLanguage();
    }
    return *languageInUse();
}

}  // namespace

InterfaceLanguage sessionInterfaceLanguage() {
    const std::optional<std::string> ideLanguage = environmentVariable(ideLanguageVariable);
    std::optional<std::string_view> named;
    if (ideLanguage.has_value()) {
        named = *ideLanguage;
    }
    return chooseInterfaceLanguage(named, GetUserDefaultUILanguage());
}

void useInterfaceLanguage(InterfaceLanguage language) {
    languageInUse() = language;
}

const InterfaceTexts& interfaceTextsInUse() {
    return interfaceTexts(languageSet());
}

bool openedListsWidenInUse() {
    return widensOpenedLists(languageSet());
}
