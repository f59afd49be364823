#include "tooltip.h"

#include <commctrl.h>

#include <string>

#include "gadgets.h"
#include "startup.h"
#include "utf8.h"

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
    return CallWindowProcW(toolTip().classProcedure, window, message, wParam, lParam);
}

void createToolTip() {
    const HWND window = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, toolTipStyle, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                        programInstance(), nullptr);
    if (window == nullptr) {
        return;
    }
    toolTip().window = window;
    toolTip().classProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolTipProcedure)));
}

}  // namespace

LRESULT setGadgetToolTip(int gadget, std::string_view text) {
    if (toolTip().window == nullptr) {
        createToolTip();
    }
    const HWND control = gadgetWindow(gadget);
    if (control == nullptr || toolTip().window == nullptr) {
        return 0;
    }
    std::wstring wideText = wideFromUtf8(text);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wideText.data();
    SendMessageW(toolTip().window, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return SendMessageW(toolTip().window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
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
