#include "message_box_options.h"

namespace {

// Appends a constant to the flags expression, separated by "|" unless the
// expression is still empty.
void appendConstant(MessageBoxSpec& spec, std::string_view constant) {
    if (!spec.flagsExpression.empty()) {
        spec.flagsExpression += '|';
    }
    spec.flagsExpression += constant;
}

// Adds an option's bits and constant; entry 0 and indexes outside the table
// (the icon list's "no selection" among them) add nothing.
template <std::size_t N>
void addOption(MessageBoxSpec& spec, const std::array<OptionEntry, N>& table, std::int32_t index) {
    if (index < 1 || static_cast<std::size_t>(index) >= N) {
        return;
    }
    const OptionEntry& entry = table[static_cast<std::size_t>(index)];
    spec.flagsValue |= entry.flagBits;
    appendConstant(spec, entry.flagConstant);
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
    MessageBoxSpec spec;
    spec.flagsValue = buttons.buttonSetValue;
    spec.flagsExpression = buttons.flagConstant;
    spec.resultIdList = buttons.resultIdList;
    spec.useSelectBlock = buttons.useSelectBlock;

    addOption(spec, iconTable, options.iconIndex);
    addOption(spec, modalityTable, options.modalityIndex);
    addOption(spec, defaultButtonTable, options.defaultButtonIndex);
    return spec;
}
