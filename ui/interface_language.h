// The language the wizard speaks, chosen once at start-up; the rest of the
// program asks only for the texts in use.
#pragma once

#include "interface_texts.h"

// The session's language: the PureBasic IDE's (its PB_TOOL_Language) where
// the wizard has it, else that of the Windows user interface.
InterfaceLanguage sessionInterfaceLanguage();
// The language whose texts the window and its messages show from now on.
void useInterfaceLanguage(InterfaceLanguage language);
// The language in use: the session's until one is set.
InterfaceLanguage interfaceLanguageInUse();
// The texts of the language in use.
const InterfaceTexts& interfaceTextsInUse();
// Whether the drop-down lists open wide enough for their longest entries.
bool openedListsWidenInUse();
