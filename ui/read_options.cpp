// Reading the user's current choices from the controls.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "gadgets.h"
#include "main_window.h"
#include "utf8.h"

namespace {

// The field's UTF-16 text in UTF-8.
std::string readTitle() {
    const HWND field = gadgetWindow(gadgets::titleField);
    if (field == nullptr) {
        return {};
    }
    const int length = GetWindowTextLengthW(field);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(field, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return utf8FromWide(buffer);
}

std::int32_t sendToGadget(int gadget, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND control = gadgetWindow(gadget);
    if (control == nullptr) {
        return 0;
    }
    return static_cast<std::int32_t>(SendMessageW(control, message, wParam, lParam));
}

}  // namespace

MessageBoxOptions readOptions() {
    MessageBoxOptions options;
    options.title = readTitle();
    options.buttonSetIndex = sendToGadget(gadgets::buttonSetList, CB_GETCURSEL, 0, 0);
    options.iconIndex = sendToGadget(gadgets::iconList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    options.modalityIndex = sendToGadget(gadgets::modalityList, CB_GETCURSEL, 0, 0);
    options.defaultButtonIndex = sendToGadget(gadgets::defaultButtonList, CB_GETCURSEL, 0, 0);
    return options;
}
