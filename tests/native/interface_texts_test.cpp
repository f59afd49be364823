// The choice of the interface language, and the texts of every language: all
// present, the Russian list entries those of the option tables (the window's
// own Russian texts are checked where the window is tested).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "interface_texts.h"
#include "windows1251_oracle.h"

namespace {

using Language = InterfaceLanguage;

constexpr std::array singleTexts{
    &InterfaceTexts::windowTitle,         &InterfaceTexts::titleLabel,          &InterfaceTexts::textLabel,
    &InterfaceTexts::iconLabel,           &InterfaceTexts::modalityLabel,       &InterfaceTexts::buttonSetLabel,
    &InterfaceTexts::defaultButtonLabel,  &InterfaceTexts::testButton,          &InterfaceTexts::copyButton,
    &InterfaceTexts::copyToolTip,         &InterfaceTexts::insertButton,        &InterfaceTexts::insertToolTip,
    &InterfaceTexts::linkLabel,           &InterfaceTexts::linkToolTip,         &InterfaceTexts::startFailureCaption,
    &InterfaceTexts::startFailureText,    &InterfaceTexts::insertFailedCaption, &InterfaceTexts::insertFailedText,
    &InterfaceTexts::insertChangedText,
};
constexpr std::size_t listEntryCount =
    iconTable.size() + modalityTable.size() + buttonSetTable.size() + defaultButtonTable.size() + unreadSelectionCount;
// The record holds nothing but the texts listed here and the lists' entries.
static_assert(sizeof(InterfaceTexts) == (singleTexts.size() + listEntryCount) * sizeof(std::string_view));

std::vector<std::string_view> everyText(const InterfaceTexts& texts) {
    std::vector<std::string_view> all;
    for (const auto member : singleTexts) {
        all.push_back(texts.*member);
    }
    all.insert(all.end(), texts.iconNames.begin(), texts.iconNames.end());
    all.insert(all.end(), texts.modalityNames.begin(), texts.modalityNames.end());
    all.insert(all.end(), texts.buttonSetNames.begin(), texts.buttonSetNames.end());
    all.insert(all.end(), texts.defaultButtonNames.begin(), texts.defaultButtonNames.end());
    all.insert(all.end(), texts.unreadSelectionNotes.begin(), texts.unreadSelectionNotes.end());
    return all;
}

bool hasCyrillic(std::string_view text) {
    constexpr char cyrillicLead1 = '\xD0';
    constexpr char cyrillicLead2 = '\xD1';
    return text.find(cyrillicLead1) != std::string_view::npos || text.find(cyrillicLead2) != std::string_view::npos;
}

// The Windows-1251 bytes of a UTF-8 text, as the option tables keep their captions.
std::string windows1251(std::string_view utf8) {
    const Cp1251Prefix converted = iconvCp1251Prefix(utf8);
    return converted.read == utf8.size() ? converted.written : "<not Windows-1251>";
}

template <typename Entry, std::size_t N>
void expectSeedCaptions(const std::array<std::string_view, N>& names, const std::array<Entry, N>& table) {
    for (std::size_t index = 0; index < N; ++index) {
        EXPECT_EQ(windows1251(names[index]), table[index].caption) << names[index];
    }
}

}  // namespace

TEST(InterfaceTexts, LanguageChosenByTheIdeThenByWindows) {
    struct Case {
        std::optional<std::string_view> ide;
        std::uint16_t windows;
        Language expected;
    };
    const std::vector<Case> cases = {
        {"English", 0x0419, Language::english},       {"ENGLISH", 0x0407, Language::english},
        {"deutsch", 0x0409, Language::german},        {"German", 0x0419, Language::german},
        {"Francais", 0x0407, Language::french},       {"french", 0x0419, Language::french},
        {"Fran\xC3\xA7" "ais", 0x0409, Language::french}, {"FRAN\xC3\x87" "AIS", 0x0409, Language::french},
        {"Fran\xE7" "ais", 0x0409, Language::french}, {"FRAN\xC7" "AIS", 0x0409, Language::french},
        {"\xC3\x89nglish", 0x0419, Language::english}, {"\xC9NGL\xCFSH", 0x0419, Language::english},
        {"Russian", 0x0409, Language::russian},       {"Русский", 0x0407, Language::russian},
        {"РУССКИЙ", 0x040C, Language::russian},       {"Italiano", 0x0419, Language::italian},
        {"ITALIAN", 0x0409, Language::italian},       {"Spanish", 0x0419, Language::spanish},
        {"Espa\xC3\xB1ol", 0x0410, Language::spanish}, {"ESPA\xD1OL", 0x0409, Language::spanish},
        // An empty or unknown name: English, the IDE's default, whatever Windows speaks.
        {"", 0x0407, Language::english},              {"Portugues", 0x0419, Language::english},
        {"Englis", 0x0C0C, Language::english},        {"Fran\xC3", 0x0419, Language::english},
        // No name: the Windows language.
        {std::nullopt, 0x0409, Language::english},    {std::nullopt, 0x0419, Language::russian},
        {std::nullopt, 0x0809, Language::english},    {std::nullopt, 0x0807, Language::german},
        {std::nullopt, 0x0C07, Language::german},     {std::nullopt, 0x040C, Language::french},
        {std::nullopt, 0x0C0C, Language::french},     {std::nullopt, 0x100C, Language::french},
        {std::nullopt, 0x0410, Language::italian},    {std::nullopt, 0x0810, Language::italian},
        {std::nullopt, 0x040A, Language::spanish},    {std::nullopt, 0x0C0A, Language::spanish},
        {std::nullopt, 0x080A, Language::spanish},
        // Ukrainian, Belarusian and Kazakh: Russian; any other language: English.
        {std::nullopt, 0x0422, Language::russian},    {std::nullopt, 0x0423, Language::russian},
        {std::nullopt, 0x043F, Language::russian},    {std::nullopt, 0x0415, Language::english},
        {std::nullopt, 0x0411, Language::english},    {std::nullopt, 0x0000, Language::english},
        {std::nullopt, 0x0119, Language::english},    {std::nullopt, 0x0122, Language::english},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseInterfaceLanguage(c.ide, c.windows), c.expected)
            << c.ide.value_or("(none)") << " " << std::hex << c.windows;
    }
}

TEST(InterfaceTexts, EveryLanguageHasEveryText) {
    for (std::size_t index = 0; index < interfaceLanguageCount; ++index) {
        const auto language = static_cast<Language>(index);
        const InterfaceTexts& texts = interfaceTexts(language);
        for (const std::string_view text : everyText(texts)) {
            EXPECT_FALSE(text.empty()) << "language " << index;
            // A text left in Russian in another language.
            EXPECT_TRUE(language == Language::russian || !hasCyrillic(text)) << text;
            EXPECT_EQ(text.find('\''), std::string_view::npos) << "a typewriter apostrophe: " << text;
        }
        // Messages end their sentences; the Russian start-up text stays as it always was.
        std::vector<std::string_view> messages{texts.insertFailedText, texts.insertChangedText};
        messages.insert(messages.end(), texts.unreadSelectionNotes.begin(), texts.unreadSelectionNotes.end());
        if (language != Language::russian) {
            messages.push_back(texts.startFailureText);
        }
        for (const std::string_view message : messages) {
            EXPECT_EQ(message.back(), '.') << message;
        }
    }
    EXPECT_EQ(&interfaceTexts(static_cast<Language>(interfaceLanguageCount)), &interfaceTexts(Language::russian));
}

TEST(InterfaceTexts, RussianListEntriesAreTheOptionTablesCaptions) {
    const InterfaceTexts& russian = interfaceTexts(Language::russian);
    expectSeedCaptions(russian.iconNames, iconTable);
    expectSeedCaptions(russian.modalityNames, modalityTable);
    expectSeedCaptions(russian.buttonSetNames, buttonSetTable);
    expectSeedCaptions(russian.defaultButtonNames, defaultButtonTable);
}
