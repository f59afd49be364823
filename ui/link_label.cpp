#include "link_label.h"

#include <array>
#include <new>

#include "events.h"
#include "gadgets.h"
#include "startup.h"
#include "utf8.h"

namespace {

struct LinkLabel {
    HFONT font = nullptr;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF hoverColour = RGB(0, 0, 0);
    WNDPROC staticProcedure = nullptr;
};

constexpr std::size_t textBufferSize = 512;

bool systemHighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

using HighContrastQuery = bool (*)();

HighContrastQuery& highContrastQuery() {
    static HighContrastQuery query = systemHighContrastOn;
    return query;
}

// Under high contrast the label takes the system's colours: the text colour
// of the other labels, and the colour of hyperlinks while hovered.
COLORREF currentColour(HWND label, const LinkLabel& state) {
    const bool hovered = GetCapture() == label;
    if (highContrastQuery()()) {
        return GetSysColor(hovered ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT);
    }
    return hovered ? state.hoverColour : state.textColour;
}

HCURSOR& handCursor() {
    static HCURSOR cursor = nullptr;
    return cursor;
}

void loadHandCursor() {
    if (handCursor() != nullptr) {
        return;
    }
    handCursor() = LoadCursorA(nullptr, IDC_HAND);
    if (handCursor() == nullptr) {
        handCursor() = LoadCursorA(nullptr, IDC_ARROW);
    }
}

LinkLabel* linkLabelOf(HWND label) {
    return reinterpret_cast<LinkLabel*>(GetWindowLongPtrW(label, GWLP_USERDATA));
}

int signedLow(LPARAM value) {
    return static_cast<short>(LOWORD(value));
}

int signedHigh(LPARAM value) {
    return static_cast<short>(HIWORD(value));
}

// A captured window hears of no move over another program's window while no
// button is down, so a pointer that leaves the window in one jump would leave
// the hover on; the platform's leave notice ends it.
void watchPointerLeaving(HWND label) {
    TRACKMOUSEEVENT tracking{};
    tracking.cbSize = sizeof(tracking);
    tracking.dwFlags = TME_LEAVE;
    tracking.hwndTrack = label;
    TrackMouseEvent(&tracking);
}

void endHoverOnLeave(HWND label) {
    if (GetCapture() == label) {
        ReleaseCapture();
    }
}

// Hovered exactly while the label holds the capture; leaving its client
// rectangle (bounds included) gives the capture back.
void trackPointer(HWND label, int x, int y) {
    if (GetCapture() != label) {
        SetCapture(label);
        watchPointerLeaving(label);
        InvalidateRect(label, nullptr, FALSE);
        return;
    }
    RECT client{};
    GetClientRect(label, &client);
    const bool inside = x >= 0 && x <= client.right && y >= 0 && y <= client.bottom;
    if (!inside) {
        ReleaseCapture();
    }
}

void repaintNow(HWND label) {
    InvalidateRect(label, nullptr, FALSE);
    UpdateWindow(label);
}

void fillBackground(HWND label, HDC context, const RECT& area) {
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(label), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(context),
                                                             reinterpret_cast<LPARAM>(label)));
    if (brush != nullptr) {
        FillRect(context, &area, brush);
    }
}

void clipToClient(HWND label, HDC context) {
    RECT client{};
    GetClientRect(label, &client);
    const HRGN region = CreateRectRgnIndirect(&client);
    SelectClipRgn(context, region);
    DeleteObject(region);
}

void drawText(HWND label, const LinkLabel& state, HDC context, const wchar_t* text, int length) {
    if (IsWindowEnabled(label) != FALSE) {
        SetBkMode(context, TRANSPARENT);
        SetTextColor(context, currentColour(label, state));
        TextOutW(context, 0, 0, text, length);
    } else {
        DrawStateW(context, nullptr, nullptr, reinterpret_cast<LPARAM>(text), static_cast<WPARAM>(length), 0, 0, 0, 0,
                   DST_TEXT | DSS_DISABLED);
    }
}

LRESULT paintLinkLabel(HWND label, const LinkLabel& state) {
    PAINTSTRUCT paint{};
    const HDC context = BeginPaint(label, &paint);
    if (context == nullptr) {
        return 0;
    }
    fillBackground(label, context, paint.rcPaint);
    std::array<wchar_t, textBufferSize> text{};
    const int length = GetWindowTextW(label, text.data(), static_cast<int>(text.size()));
    if (state.font != nullptr) {
        SelectObject(context, state.font);
    }
    clipToClient(label, context);
    drawText(label, state, context, text.data(), length);
    EndPaint(label, &paint);
    return 0;
}

LRESULT setFont(HWND label, LinkLabel& state, WPARAM font, LPARAM redraw) {
    state.font = reinterpret_cast<HFONT>(font);
    if (LOWORD(redraw) == 1) {
        InvalidateRect(label, nullptr, FALSE);
    }
    return 0;
}

LRESULT forwardToStatic(HWND label, const LinkLabel& state, UINT message, WPARAM wParam, LPARAM lParam) {
    CallWindowProcW(state.staticProcedure, label, message, wParam, lParam);
    return DefWindowProcW(label, message, wParam, lParam);
}

LRESULT destroyLinkLabel(HWND label, LinkLabel* state, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC staticProcedure = state->staticProcedure;
    SetWindowLongPtrW(label, GWLP_USERDATA, 0);
    delete state;
    return CallWindowProcW(staticProcedure, label, message, wParam, lParam);
}

LRESULT CALLBACK linkLabelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    LinkLabel* state = linkLabelOf(label);
    if (state == nullptr) {
        return DefWindowProcW(label, message, wParam, lParam);
    }
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(handCursor());
        return 1;
    case WM_MOUSEMOVE:
        trackPointer(label, signedLow(lParam), signedHigh(lParam));
        return 0;
    case WM_MOUSELEAVE:
        endHoverOnLeave(label);
        return 0;
    case WM_CAPTURECHANGED:
        repaintNow(label);
        return 0;
    case WM_LBUTTONUP:
        postGadgetReport(static_cast<std::int32_t>(GetWindowLongPtrW(label, GWLP_ID)), eventTypes::leftClick);
        return 0;
    case WM_LBUTTONDBLCLK:
    case WM_COMMAND:
        return 0;
    case WM_PAINT:
        return paintLinkLabel(label, *state);
    case WM_SETFONT:
        return setFont(label, *state, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->font);
    case WM_SETTEXT:
        CallWindowProcW(state->staticProcedure, label, message, wParam, lParam);
        InvalidateRect(label, nullptr, TRUE);
        return 0;
    case WM_ENABLE:
        InvalidateRect(label, nullptr, TRUE);
        return 0;
    case WM_SYSCOLORCHANGE:
        InvalidateRect(label, nullptr, TRUE);
        return forwardToStatic(label, *state, message, wParam, lParam);
    case WM_NCDESTROY:
        return destroyLinkLabel(label, state, message, wParam, lParam);
    default:
        return forwardToStatic(label, *state, message, wParam, lParam);
    }
}

}  // namespace

void replaceHighContrastQuery(bool (*query)()) {
    highContrastQuery() = query != nullptr ? query : systemHighContrastOn;
}

HWND createLinkLabel(int gadget, int x, int y, int width, int height, std::string_view text, COLORREF hoverColour) {
    loadHandCursor();
    const HWND label = CreateWindowExW(0, L"STATIC", wideFromUtf8(text).c_str(), WS_CHILD, x, y, width, height,
                                       gadgetContainer(), nullptr, programInstance(), nullptr);
    if (label == nullptr) {
        return nullptr;
    }
    auto* state = new (std::nothrow) LinkLabel{gadgetFont(), RGB(0, 0, 0), hoverColour, nullptr};
    if (state == nullptr) {
        DestroyWindow(label);
        return nullptr;
    }
    registerGadget(gadget, label, nullptr);
    SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    // The W call keeps the label a Unicode window.
    state->staticProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(linkLabelProcedure)));
    ShowWindow(label, SW_SHOWNORMAL);
    return label;
}
