// Options chosen by entry number, in the order button set, icon, modality,
// default button, and what each button set gives.
#pragma once

#include <string>
#include <vector>

#include "message_box_options.h"

// The result constants of each button set, in the order the box shows its
// buttons; the single OK button (entry 0) has none.
inline const std::vector<std::string> resultsOfButtonSet[] = {
    {},
    {"#IdOK", "#IdCancel"},
    {"#IdAbort", "#IdRetry", "#IdIgnore"},
    {"#IdYes", "#IdNo", "#IdCancel"},
    {"#IdYes", "#IdNo"},
    {"#IdRetry", "#IdCancel"},
};

inline MessageBoxOptions choose(std::int32_t buttonSet, std::int32_t icon, std::int32_t modality,
                                std::int32_t defaultButton) {
    MessageBoxOptions options;
    options.buttonSetIndex = buttonSet;
    options.iconIndex = icon;
    options.modalityIndex = modality;
    options.defaultButtonIndex = defaultButton;
    return options;
}
