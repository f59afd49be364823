// Every text the wizard shows, in each language it speaks, and the choice of
// that language. Texts are UTF-8.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "call_reader.h"
#include "message_box_options.h"

// Russian comes first: its window keeps the first layout.
enum class InterfaceLanguage { russian, english, german, french, italian, spanish };
inline constexpr std::size_t interfaceLanguageCount = 6;

struct InterfaceTexts {
    std::string_view windowTitle;
    std::string_view titleLabel;
    std::string_view textLabel;
    std::string_view iconLabel;  // also the header of the icon list's column
    std::string_view modalityLabel;
    std::string_view buttonSetLabel;
    std::string_view defaultButtonLabel;
    // The lists' entries, in the order of the option tables.
    std::array<std::string_view, iconTable.size()> iconNames;
    std::array<std::string_view, modalityTable.size()> modalityNames;
    std::array<std::string_view, buttonSetTable.size()> buttonSetNames;
    std::array<std::string_view, defaultButtonTable.size()> defaultButtonNames;
    std::string_view testButton;
    std::string_view copyButton;
    std::string_view copyToolTip;
    std::string_view insertButton;
    std::string_view insertToolTip;
    std::string_view linkLabel;
    std::string_view linkToolTip;
    std::string_view startFailureCaption;
    std::string_view startFailureText;
    // Shown when the PureBasic editor has gone before an insert.
    std::string_view insertFailedCaption;
    std::string_view insertFailedText;
    // Shown when the call opened from the IDE's source has changed there
    // before an insert, which then replaces nothing.
    std::string_view insertChangedText;
    // The note the window shows when the IDE's selection did not open, by
    // UnreadSelection.
    std::array<std::string_view, unreadSelectionCount> unreadSelectionNotes;
};

// The texts of a language; Russian ones for a value outside the enumeration.
const InterfaceTexts& interfaceTexts(InterfaceLanguage language);

// Whether a drop-down list opens wide enough for its longest entry in the
// language; false where the language keeps the first layout's widths.
bool widensOpenedLists(InterfaceLanguage language);

// The language the PureBasic IDE names (its name compared without regard to
// case or accents, in UTF-8 or Windows-1252 bytes); English for a name the
// wizard lacks, the IDE's own default. Without a name, the primary language of
// the Windows user interface language id: one the wizard has, Russian for the
// Windows languages whose users most likely read it, else English.
InterfaceLanguage chooseInterfaceLanguage(std::optional<std::string_view> ideLanguage,
                                          std::uint16_t windowsUiLanguageId);
