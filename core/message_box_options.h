// The four option lists of the wizard and the derivation of the message-box
// style from the user's choices. The captions are the Russian ones in
// Windows-1251 bytes, the reference the Russian interface texts are checked
// against; the window shows the entries of the interface texts in use.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ansi_text.h"

// The raw choices read from the window when an action runs.
struct MessageBoxOptions {
    std::string title;
    std::int32_t iconIndex = 0;  // 0..4, or -1 when the icon list has no selection
    std::int32_t modalityIndex = 0;
    std::int32_t buttonSetIndex = 0;
    std::int32_t defaultButtonIndex = 0;
};

// Everything the two actions need, derived from the options.
struct MessageBoxSpec {
    std::uint32_t flagsValue = 0;   // the message box's style value
    std::string flagsExpression;    // the same style as PureBasic constants joined by "|"
    std::string resultIdList;       // the button set's result constants, "|"-separated
    bool useSelectBlock = false;    // wrap the call in Select ... EndSelect
};

// An entry of the icon, modality and default-button lists.
struct OptionEntry {
    std::string_view caption;
    std::uint32_t flagBits = 0;
    std::string_view flagConstant;  // empty when the entry adds no constant
};

// An entry of the button-set list.
struct ButtonSetEntry {
    std::string_view caption;
    std::uint32_t buttonSetValue = 0;
    std::string_view flagConstant;
    std::string_view resultIdList;
    bool useSelectBlock = false;
};

namespace captions {
inline constexpr auto noIcon = ansi("Нет иконки");
inline constexpr auto stop = ansi("Стоп");
inline constexpr auto question = ansi("Вопрос");
inline constexpr auto warning = ansi("Внимание!");
inline constexpr auto information = ansi("Информация");

inline constexpr auto application = ansi("Приложение");
inline constexpr auto task = ansi("Задача");
inline constexpr auto system = ansi("Системное");

inline constexpr auto ok = ansi("Ok");
inline constexpr auto okCancel = ansi("Ok, Отмена");
inline constexpr auto abortRetryIgnore = ansi("Прервать, Повторить, Игнорировать");
inline constexpr auto yesNoCancel = ansi("Да, Нет, Отмена");
inline constexpr auto yesNo = ansi("Да, Нет");
inline constexpr auto retryCancel = ansi("Повторить, Отмена");
}  // namespace captions

inline constexpr std::array<OptionEntry, 5> iconTable{{
    {captions::noIcon.view(), 0x00, ""},
    {captions::stop.view(), 0x10, "#MB_ICONERROR"},
    {captions::question.view(), 0x20, "#MB_ICONQUESTION"},
    {captions::warning.view(), 0x30, "#MB_ICONWARNING"},
    {captions::information.view(), 0x40, "#MB_ICONINFORMATION"},
}};

inline constexpr std::array<OptionEntry, 3> modalityTable{{
    {captions::application.view(), 0x0000, ""},
    {captions::task.view(), 0x2000, "#MB_TASKMODAL"},
    {captions::system.view(), 0x1000, "#MB_SYSTEMMODAL"},
}};

inline constexpr std::array<ButtonSetEntry, 6> buttonSetTable{{
    {captions::ok.view(), 0, "#MB_OK", "", false},
    {captions::okCancel.view(), 1, "#MB_OKCANCEL", "#IdOK|#IdCancel", true},
    {captions::abortRetryIgnore.view(), 2, "#MB_ABORTRETRYIGNORE", "#IdAbort|#IdRetry|#IdIgnore", true},
    {captions::yesNoCancel.view(), 3, "#MB_YESNOCANCEL", "#IdYes|#IdNo|#IdCancel", true},
    {captions::yesNo.view(), 4, "#MB_YESNO", "#IdYes|#IdNo", true},
    {captions::retryCancel.view(), 5, "#MB_RETRYCANCEL", "#IdRetry|#IdCancel", true},
}};

inline constexpr std::array<OptionEntry, 3> defaultButtonTable{{
    {"1", 0x000, ""},
    {"2", 0x100, "#MB_DEFBUTTON2"},
    {"3", 0x200, "#MB_DEFBUTTON3"},
}};

// Derives the style, its PureBasic expression and the possible results. A
// button-set index outside the table is taken as entry 0; icon, modality and
// default-button indexes outside their tables add nothing.
MessageBoxSpec deriveSpec(const MessageBoxOptions& options);
