#include "tooltip.h"

#include <commctrl.h>

#include "gadgets.h"
#include "startup.h"

namespace {

constexpr DWORD toolTipStyle = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP;

struct ToolTip {
    HWND window = nullptr;
    WNDPROC classProcedure = nullptr;
};

ToolTip& toolTip() {
    static ToolTip state;
    return state;
}

// Keeps a shown tip above every other window.
LRESULT CALLBACK toolTipProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    return CallWindowProcA(toolTip().classProcedure, window, message, wParam, lParam);
}

void createToolTip() {
    const HWND window = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, toolTipStyle, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                        programInstance(), nullptr);
    if (window == nullptr) {
        return;
    }
    toolTip().window = window;
    toolTip().classProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolTipProcedure)));
}

}  // namespace

LRESULT setGadgetToolTip(int gadget, const char* text) {
    if (toolTip().window == nullptr) {
        createToolTip();
    }
    const HWND control = gadgetWindow(gadget);
    if (control == nullptr || toolTip().window == nullptr) {
        return 0;
    }
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text == nullptr ? "" : text);
    SendMessageA(toolTip().window, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return SendMessageA(toolTip().window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND toolTipWindow() {
    return toolTip().window;
}

void destroyToolTip() {
    if (toolTip().window != nullptr) {
        DestroyWindow(toolTip().window);
    }
    toolTip() = ToolTip{};
}
