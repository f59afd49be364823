// Options chosen by entry number, in the order button set, icon, modality,
// default button.
#pragma once

#include "message_box_options.h"

inline MessageBoxOptions choose(std::int32_t buttonSet, std::int32_t icon, std::int32_t modality,
                                std::int32_t defaultButton) {
    MessageBoxOptions options;
    options.buttonSetIndex = buttonSet;
    options.iconIndex = icon;
    options.modalityIndex = modality;
    options.defaultButtonIndex = defaultButton;
    return options;
}
