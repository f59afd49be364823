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
