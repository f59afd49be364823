#include "tooltip.h"

#include <commctrl.h>

#include <string>

#include "control_font.h"
#include "display_scale.h"
#include "gadgets.h"
#include "startup.h"
#include "utf8.h"

namespace {

constexpr DWORD toolTipStyle = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP;

struct ToolTip {
    HWND window = nullptr;
    WNDPROC classProcedure = nullptr;
    LOGFONTW systemFace{};  // its own font's, at the system's DPI; no face name where unknown
    HFONT font = nullptr;  // the one given it for another DPI, while it uses it
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
    const auto ownFont = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (ownFont == nullptr || GetObjectW(ownFont, sizeof(LOGFONTW), &toolTip().systemFace) == 0) {
        toolTip().systemFace = LOGFONTW{};
    }
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

// The tooltip may keep the font given or a copy of it, so the font given is
// deleted only once another has replaced it.
void scaleToolTipFont(UINT dpi) {
    ToolTip& state = toolTip();
    if (state.window == nullptr || state.systemFace.lfFaceName[0] == L'\0' ||
        (state.font == nullptr && dpi == systemDpi())) {
        return;
    }
    const HFONT font =
        dpi == systemDpi() ? CreateFontIndirectW(&state.systemFace) : createFontAtDpi(state.systemFace, dpi);
    if (font == nullptr) {
        return;
    }
    SendMessageW(state.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (state.font != nullptr) {
        DeleteObject(state.font);
    }
    state.font = font;
}

HWND toolTipWindow() {
    return toolTip().window;
}

void destroyToolTip() {
    if (toolTip().window != nullptr) {
        DestroyWindow(toolTip().window);
    }
    if (toolTip().font != nullptr) {
        DeleteObject(toolTip().font);
    }
    toolTip() = ToolTip{};
}
