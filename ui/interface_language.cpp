#include "interface_language.h"

#include <windows.h>

#include <optional>
#include <string>

#include "environment.h"

namespace {

constexpr const wchar_t* ideLanguageVariable = L"PB_TOOL_Language";

std::optional<InterfaceLanguage>& languageInUse() {
    static std::optional<InterfaceLanguage> language;
    return language;
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

InterfaceLanguage interfaceLanguageInUse() {
    if (!languageInUse().has_value()) {
        languageInUse() = sessionInterfaceLanguage();
    }
    return *languageInUse();
}

const InterfaceTexts& interfaceTextsInUse() {
    return interfaceTexts(interfaceLanguageInUse());
}

bool openedListsWidenInUse() {
    return widensOpenedLists(interfaceLanguageInUse());
}
