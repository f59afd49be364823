#include "startup.h"

#include <commctrl.h>

namespace {

constexpr DWORD commonControlClasses = ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES;
static_assert(commonControlClasses == 0x0B08);

}  // namespace

HINSTANCE programInstance() {
    return GetModuleHandleA(nullptr);
}

void prepareCommonControls() {
    InitCommonControls();
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = commonControlClasses;
    InitCommonControlsEx(&classes);
}
