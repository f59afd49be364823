#include "message_box_options.h"

namespace {

// Appends a constant to the flags expression, separated by "|" unless the
// expression is still empty.
void appendConstant(MessageBoxSpec& derived, std::string_view constant) {
    if (!derived.flagsExpression.empty()) {
        derived.flagsExpression += '|';
    }
    derived.flagsExpression += constant;
}

// Adds an option's bits and constant; entry 0 and indexes outside the table
// (the icon list's "no selection" among them) add nothing.
template <std::size_t N>
void addOption(MessageBoxSpec& derived, const std::array<OptionEntry, N>& table, std::int32_t index) {
    if (index < 1 || static_cast<std::size_t>(index) >= N) {
        return;
    }
    const OptionEntry& entry = table[static_cast<std::size_t>(index)];
    derived.flagsValue |= entry.flagBits;
    appendConstant(derived, entry.flagConstant);
}

const ButtonSetEntry& buttonSetEntry(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= buttonSetTable.size()) {
        return buttonSetTable[0];
    }
    return buttonSetTable[static_cast<std::size_t>(index)];
}

}  // namespace

MessageBoxSpec deriveSpec(const MessageBoxOptions& options) {
    const ButtonSetEntry& buttons = buttonSetEntry(options.buttonSetIndex);
    MessageBoxSpec derived;
    derived.flagsValue = buttons.buttonSetValue;
    derived.flagsExpression = buttons.flagConstant;
    derived.resultIdList = buttons.resultIdList;
    derived.useSelectBlock = buttons.useSelectBlock;

    addOption(derived, iconTable, options.iconIndex);
    addOption(derived, modalityTable, options.modalityIndex);
    addOption(derived, defaultButtonTable, options.defaultButtonIndex);
    return derived;
}
