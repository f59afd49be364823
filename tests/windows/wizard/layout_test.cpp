// The main window as start-up leaves it: geometry, every control's class,
// gadget number, place, style and text, the creation order, and the filled
// option lists with entry 0 selected and the focus in the title field; and
// the window at the display's scale, also after a move to another display.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <utility>
#include <algorithm>
#include <string>
#include <vector>

#include "actions.h"
#include "ansi_text.h"
#include "display_scale.h"
#include "editor.h"
#include "gadgets.h"
#include "interface_language.h"
#include "main_window.h"
#include "message_box_options.h"
#include "program_icon.h"
#include "startup.h"
#include "tooltip.h"
#include "utf8.h"
#include "wizard_window.h"

namespace {

struct ExpectedControl {
    const char* className;
    int gadget;  // 0 for a caption label
    RECT place;  // client coordinates of the main window
    DWORD style;
    DWORD extendedStyle;
    std::string text;
};

constexpr DWORD label = 0x50020000;
// Created as 0x50A30203 with WS_EX_CLIENTEDGE; a combo box hands its border,
// scroll bar and client edge to its list and keeps the rest.
constexpr DWORD dropDown = 0x50030203;
constexpr DWORD button = 0x50030000;
// The icon list's creation style with the large-icon view it is switched to.
constexpr DWORD iconListFilled = 0x5001004D & ~static_cast<DWORD>(LVS_TYPEMASK);

std::string text(std::string_view view) {
    return std::string(view);
}

const std::vector<ExpectedControl>& expectedControls() {
    static const std::vector<ExpectedControl> controls = {
        {"Static", 0, {145, 10, 205, 25}, label, 0, text(ansi("Заголовок:").view())},
        {"Edit", 1, {140, 30, 530, 55}, 0x50030080, WS_EX_CLIENTEDGE, ""},
        {"Static", 0, {145, 60, 205, 75}, label, 0, text(ansi("Текст:").view())},
        {"Scintilla", 2, {140, 80, 530, 320}, 0x50000000, WS_EX_CLIENTEDGE, ""},
        {"Static", 0, {15, 10, 60, 25}, label, 0, text(ansi("Иконка:").view())},
        {"SysListView32", 3, {10, 30, 110, 415}, iconListFilled, WS_EX_CLIENTEDGE, ""},
        {"Static", 0, {145, 325, 205, 340}, label, 0, text(ansi("Вид:").view())},
        {"ComboBox", 4, {145, 345, 265, 465}, dropDown, 0, text(captions::application.view())},
        {"Static", 0, {290, 325, 350, 340}, label, 0, text(ansi("Кнопки:").view())},
        {"ComboBox", 5, {290, 345, 410, 465}, dropDown, 0, text(captions::ok.view())},
        {"Static", 0, {425, 325, 545, 340}, label, 0, text(ansi("Кнопка по умолчанию:").view())},
        {"ComboBox", 6, {435, 345, 530, 465}, dropDown, 0, "1"},
        {"Button", 7, {150, 390, 250, 415}, button, 0, text(ansi("Тест").view())},
        {"Button", 9, {430, 390, 530, 415}, button, 0, text(ansi("Скопировать").view())},
        {"Static", 10, {10, 425, 310, 440}, 0x50000000, 0, text(ansi("MessageRequester wizard © ").view())},
    };
    return controls;
}

std::vector<HWND> childrenInOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

RECT placeInParent(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// A drop-down list's height covers its opened list, which the platform
// shortens to a whole number of entries, by less than shortest pixels.
void expectDropDownPlace(HWND comboBox, const RECT& want, int shortest = 30) {
    RECT dropped{};
    SendMessageA(comboBox, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    MapWindowPoints(nullptr, GetParent(comboBox), reinterpret_cast<POINT*>(&dropped), 2);
    const RECT closed = placeInParent(comboBox);
    EXPECT_EQ(dropped.left, want.left);
    EXPECT_EQ(dropped.top, want.top);
    EXPECT_EQ(dropped.right, want.right);
    EXPECT_GT(dropped.bottom, closed.bottom);
    EXPECT_LE(dropped.bottom, want.bottom);
    EXPECT_GT(dropped.bottom, want.bottom - shortest);
}

void expectPlace(HWND control, const RECT& want) {
    const RECT place = placeInParent(control);
    EXPECT_EQ(place.left, want.left);
    EXPECT_EQ(place.top, want.top);
    EXPECT_EQ(place.right, want.right);
    EXPECT_EQ(place.bottom, want.bottom);
}

bool sameClass(const std::string& actual, const char* expected) {
    return lstrcmpiA(actual.c_str(), expected) == 0;
}

std::string listEntryText(HWND list, int entry) {
    std::array<char, 256> buffer{};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
    return buffer.data();
}

int listEntryImage(HWND list, int entry) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = entry;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

std::string comboEntryText(HWND comboBox, int entry) {
    std::array<char, 256> buffer{};
    SendMessageA(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

template <typename Entry, std::size_t N>
void expectDropDownFilled(int gadget, const std::array<Entry, N>& table) {
    const HWND list = gadgetWindow(gadget);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(N)) << "gadget " << gadget;
    for (std::size_t entry = 0; entry < N; ++entry) {
        EXPECT_EQ(comboEntryText(list, static_cast<int>(entry)), text(table[entry].caption));
    }
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
}

using Pixels = std::vector<std::uint8_t>;

// The BGRA pixels, top row first, of the image of one size in the icon file
// (its bitmap images are stored bottom row first); empty when it has none.
Pixels imageInIconFile(int size) {
    std::ifstream file(PROGRAM_ICON_FILE, std::ios::binary);
    const Pixels data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto number = [&data](std::size_t at, std::size_t bytes) {
        std::uint32_t value = 0;
        for (std::size_t i = bytes; i > 0; --i) {
            value = value << 8 | data.at(at + i - 1);
        }
        return value;
    };
    constexpr std::size_t directoryBytes = 6;
    constexpr std::size_t entryBytes = 16;
    constexpr std::size_t bitmapHeaderBytes = 40;
    const auto row = static_cast<std::size_t>(size) * 4;
    for (std::size_t entry = 0; entry < number(4, 2); ++entry) {
        const std::size_t at = directoryBytes + entry * entryBytes;
        if (data.at(at) == size) {
            const std::size_t pixels = number(at + 12, 4) + bitmapHeaderBytes;
            Pixels image;
            for (std::size_t y = static_cast<std::size_t>(size); y > 0; --y) {
                const auto start = data.begin() + static_cast<std::ptrdiff_t>(pixels + (y - 1) * row);
                image.insert(image.end(), start, start + static_cast<std::ptrdiff_t>(row));
            }
            return image;
        }
    }
    return Pixels();
}

// An icon's colour image as BGRA pixels, top row first.
Pixels iconPixels(HICON icon) {
    ICONINFO parts{};
    if (icon == nullptr || GetIconInfo(icon, &parts) == FALSE) {
        return Pixels();
    }
    BITMAP colour{};
    GetObjectA(parts.hbmColor, sizeof(colour), &colour);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = colour.bmWidth;
    format.bmiHeader.biHeight = -colour.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    Pixels pixels(static_cast<std::size_t>(colour.bmWidth) * static_cast<std::size_t>(colour.bmHeight) * 4);
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, parts.hbmColor, 0, static_cast<UINT>(colour.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return pixels;
}

::testing::AssertionResult isDrawnImage(HICON icon, int size) {
    const Pixels drawn = imageInIconFile(size);
    if (drawn.empty()) {
        return ::testing::AssertionFailure() << "the icon file has no image of " << size << " pixels";
    }
    const Pixels pixels = iconPixels(icon);
    if (pixels != drawn) {
        return ::testing::AssertionFailure() << "an icon of " << pixels.size() / 4 << " pixels is not the image drawn at "
                                             << size << " x " << size;
    }
    return ::testing::AssertionSuccess();
}

// --- The layout at the display's scale ----------------------------------

// The DPI of the run's Wine prefix as the run names it (WIZARD_TEST_DPI);
// 96 where it names none.
UINT namedDpi() {
    std::array<char, 16> value{};
    const DWORD length = GetEnvironmentVariableA("WIZARD_TEST_DPI", value.data(), static_cast<DWORD>(value.size()));
    return length == 0 ? USER_DEFAULT_SCREEN_DPI : static_cast<UINT>(std::strtoul(value.data(), nullptr, 10));
}

UINT screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

int scaled(LONG figure, UINT dpi) {
    return MulDiv(figure, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

// A place of the 96-DPI table at a DPI: its position and its size scaled.
RECT scaledPlace(const RECT& place, UINT dpi) {
    const int left = scaled(place.left, dpi);
    const int top = scaled(place.top, dpi);
    return RECT{left, top, left + scaled(place.right - place.left, dpi), top + scaled(place.bottom - place.top, dpi)};
}

// The stock GUI font as it is at 100 %: its face at its height at 96 DPI.
LOGFONTW standardFace() {
    LOGFONTW face{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(face), &face);
    face.lfHeight = MulDiv(face.lfHeight, USER_DEFAULT_SCREEN_DPI, static_cast<int>(screenDpi()));
    return face;
}

LOGFONTW fontFace(HFONT font) {
    LOGFONTW face{};
    GetObjectW(font, sizeof(face), &face);
    return face;
}

int textWidth(HWND control, HFONT font) {
    std::array<wchar_t, 256> text{};
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    const HDC context = GetDC(control);
    const HGDIOBJ previous = SelectObject(context, font);
    SIZE extent{};
    GetTextExtentPoint32W(context, text.data(), length, &extent);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    return extent.cx;
}

// Every caption takes no larger a share of its control's width than at 100 %
// (two are cut there already), give or take the rounding of text widths; the
// font is the stock one's face at its 100 % size scaled.
void expectCaptionsFit(const std::vector<HWND>& children, UINT dpi) {
    const LOGFONTW standard = standardFace();
    const HFONT standardFont = CreateFontIndirectW(&standard);
    constexpr double rounding = 0.03;
    for (std::size_t row = 0; row < children.size(); ++row) {
        const HWND control = children[row];
        const ExpectedControl& want = expectedControls()[row];
        if (want.text.empty() || want.gadget == gadgets::editor) {
            continue;
        }
        SCOPED_TRACE("caption of row " + std::to_string(row + 1));
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        const LOGFONTW face = fontFace(font);
        EXPECT_EQ(std::wstring(face.lfFaceName), std::wstring(standard.lfFaceName));
        EXPECT_NEAR(face.lfHeight, scaled(standard.lfHeight, dpi), 1);
        const RECT place = placeInParent(control);
        const double atStandard =
            static_cast<double>(textWidth(control, standardFont)) / (want.place.right - want.place.left);
        const double here = static_cast<double>(textWidth(control, font)) / (place.right - place.left);
        EXPECT_LE(here, atStandard + rounding) << "at 100 % " << atStandard;
    }
    DeleteObject(standardFont);
}

// The dots of an icon list entry's picture: its icon area, as far as it is
// shown, in other colours than the list's background.
int pictureDots(HWND list, int entry) {
    RECT icon{};
    icon.left = LVIR_ICON;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&icon));
    RECT client{};
    GetClientRect(list, &client);
    IntersectRect(&icon, &icon, &client);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const auto background = static_cast<COLORREF>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0));
    const HDC context = GetDC(list);
    int dots = 0;
    for (int y = icon.top; y < icon.bottom; ++y) {
        for (int x = icon.left; x < icon.right; ++x) {
            dots += GetPixel(context, x, y) != background ? 1 : 0;
        }
    }
    ReleaseDC(list, context);
    return dots;
}

// The icon list's images at the icon size of the DPI: "Нет иконки" shows no
// picture, "Стоп" its icon.
void expectIconImagesAt(UINT dpi) {
    const HWND list = gadgetWindow(gadgets::iconList);
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, GetSystemMetricsForDpi(SM_CXICON, dpi));
    EXPECT_EQ(height, GetSystemMetricsForDpi(SM_CYICON, dpi));
    EXPECT_EQ(ImageList_GetImageCount(images), 5);
    const auto spacing = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
    // Windows 7 and 8.1 scale the system's spacing, which may round otherwise.
    EXPECT_NEAR(LOWORD(spacing), GetSystemMetricsForDpi(SM_CXICONSPACING, dpi), 1);
    EXPECT_NEAR(HIWORD(spacing), GetSystemMetricsForDpi(SM_CYICONSPACING, dpi), 1);
    EXPECT_EQ(pictureDots(list, 0), 0) << "\"Нет иконки\" shows a picture";
    EXPECT_GT(pictureDots(list, 1), width * height / 4) << "\"Стоп\" shows no picture";
}

// A new tooltip's own font, which it takes at the system's DPI.
LOGFONTW toolTipFace() {
    const HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    const LOGFONTW face = fontFace(reinterpret_cast<HFONT>(SendMessageW(tip, WM_GETFONT, 0, 0)));
    DestroyWindow(tip);
    return face;
}

// The editor's caret (2 pixels at 100 %) and the tips' font at the DPI.
void expectEditorAndTipsScaledTo(UINT dpi) {
    EXPECT_EQ(sendEditorMessage(gadgets::editor, sci::getCaretWidth), scaled(2, dpi));
    const LOGFONTW own = toolTipFace();
    const LOGFONTW face = fontFace(reinterpret_cast<HFONT>(SendMessageW(toolTipWindow(), WM_GETFONT, 0, 0)));
    EXPECT_EQ(std::wstring(face.lfFaceName), std::wstring(own.lfFaceName));
    EXPECT_NEAR(face.lfHeight, MulDiv(own.lfHeight, static_cast<int>(dpi), static_cast<int>(screenDpi())), 1);
}

// Every control at its 96-DPI place and size scaled, its caption fitting,
// the icon list's images of the DPI's size, the caret and the tips' font.
void expectControlsScaledTo(UINT dpi) {
    const std::vector<HWND> children = childrenInOrder(mainWindowHandle());
    const std::vector<ExpectedControl>& expected = expectedControls();
    ASSERT_EQ(children.size(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        SCOPED_TRACE("row " + std::to_string(row + 1));
        const RECT want = scaledPlace(expected[row].place, dpi);
        if (sameClass(expected[row].className, "ComboBox")) {
            expectDropDownPlace(children[row], want, scaled(30, dpi));
        } else {
            expectPlace(children[row], want);
        }
    }
    expectCaptionsFit(children, dpi);
    expectIconImagesAt(dpi);
    expectEditorAndTipsScaledTo(dpi);
}

// The window's small and large icons drawn for the DPI.
void expectWindowIconsAt(HWND window, UINT dpi) {
    const auto smallIcon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    const auto largeIcon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    EXPECT_TRUE(isDrawnImage(smallIcon, GetSystemMetricsForDpi(SM_CXSMICON, dpi)));
    EXPECT_TRUE(isDrawnImage(largeIcon, GetSystemMetricsForDpi(SM_CXICON, dpi)));
}

// The editor's lines are as high as its font at its size in points at the
// DPI: the editor scales its text by itself.
void expectEditorTextAt(UINT dpi) {
    constexpr WPARAM defaultStyle = 32;
    std::array<char, LF_FACESIZE> faceName{};
    sendEditorMessage(gadgets::editor, sci::styleGetFont, defaultStyle, reinterpret_cast<LPARAM>(faceName.data()));
    const auto points = static_cast<int>(sendEditorMessage(gadgets::editor, sci::styleGetSize, defaultStyle));
    LOGFONTA face{};
    face.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
    lstrcpynA(face.lfFaceName, faceName.data(), LF_FACESIZE);
    const HFONT font = CreateFontIndirectA(&face);
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    const auto lineHeight = static_cast<int>(sendEditorMessage(gadgets::editor, sci::textHeight, 0));
    EXPECT_NEAR(lineHeight, metrics.tmAscent + metrics.tmDescent, 1);
}

// The DPI functions of Windows 10 1607 on, as another Windows has them.
LaterDpiFunctions functionsOfOlderWindows() {
    return LaterDpiFunctions{};
}

// The window's display at another scale than the system's of the sign-in:
// 144 DPI, or 192 where the system has 144. (Wine's drop-down lists take
// their entries' height at the system's DPI, too high below it.)
UINT dpiOfTheOtherDisplay() {
    return screenDpi() == 144 ? 192 : 144;
}

UINT WINAPI dpiForWindowOnTheOtherDisplay(HWND) {
    return dpiOfTheOtherDisplay();
}

LaterDpiFunctions functionsOnTheOtherDisplay() {
    LaterDpiFunctions functions = laterDpiFunctions();
    functions.dpiForWindow = dpiForWindowOnTheOtherDisplay;
    return functions;
}

// The window built while the DPI functions are others, and those of the
// running Windows again afterwards.
template <LaterDpiFunctions (*functions)()>
class WizardWindowWithDpiFunctions : public WizardWindow {
protected:
    void SetUp() override {
        laterDpiFunctions() = functions();
        WizardWindow::SetUp();
    }
    void TearDown() override {
        WizardWindow::TearDown();
        laterDpiFunctions() = running;
    }

private:
    LaterDpiFunctions running = laterDpiFunctions();
};

SIZE clientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

}  // namespace

// Run at 96, 120, 144 and 192 DPI, each in a Wine prefix of its own.
using DisplayScale = WizardWindow;

TEST_F(DisplayScale, WindowAndControlsAreTheTableScaledToTheDisplay) {
    const UINT dpi = namedDpi();
    ASSERT_EQ(screenDpi(), dpi) << "the run's display has the scale it names";
    const SIZE client = clientSize(mainWindowHandle());
    EXPECT_EQ(client.cx, scaled(540, dpi));
    EXPECT_EQ(client.cy, scaled(443, dpi));
    expectControlsScaledTo(dpi);
    expectEditorTextAt(dpi);
}

// The outer rectangle around the client area at a DPI, with the frame of
// that DPI, or with the system's, as Windows 8.1 leaves it.
RECT outerWithScaledFrame(UINT dpi) {
    RECT outer{0, 0, scaled(540, dpi), scaled(443, dpi)};
    AdjustWindowRectExForDpi(&outer, mainWindowGeometry::style, FALSE, 0, dpi);
    return outer;
}

RECT outerWithTheSystemsFrame(UINT dpi) {
    RECT outer{0, 0, scaled(540, dpi), scaled(443, dpi)};
    AdjustWindowRectEx(&outer, mainWindowGeometry::style, FALSE, 0);
    return outer;
}

// Moved to displays of 120, 192, 96, 144 DPI and the run's in turn: the
// window starts where Windows suggests, has the outer size of the scaled
// client area, also when Windows asks it before the move, and everything in
// it is scaled.
void expectLaidOutAgainOnEachMove(RECT (*outerAt)(UINT)) {
    const HWND window = mainWindowHandle();
    for (const UINT dpi : {120U, 192U, 96U, 144U, namedDpi()}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        RECT outer{};
        GetWindowRect(window, &outer);
        RECT suggested{outer.left + 7, outer.top + 5, outer.right, outer.bottom};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const RECT want = outerAt(dpi);
        SIZE asked{};
        SendMessageW(window, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&asked));
        EXPECT_EQ(asked.cx, want.right - want.left);
        EXPECT_EQ(asked.cy, want.bottom - want.top);
        GetWindowRect(window, &outer);
        EXPECT_EQ(outer.left, suggested.left);
        EXPECT_EQ(outer.top, suggested.top);
        EXPECT_EQ(outer.right - outer.left, want.right - want.left);
        EXPECT_EQ(outer.bottom - outer.top, want.bottom - want.top);
        expectControlsScaledTo(dpi);
        expectWindowIconsAt(window, dpi);
    }
}

// Wine keeps a window at the system's DPI, so the frame stays the system's;
// the outer size is the one Windows gives the scaled client area at the new
// DPI, where the frame is scaled too.
TEST_F(DisplayScale, MovedToADisplayOfAnotherScaleTheWindowIsLaidOutAgain) {
    expectLaidOutAgainOnEachMove(outerWithScaledFrame);
}

// How often each window erased its background.
std::map<HWND, int>& erasures() {
    static std::map<HWND, int> counts;
    return counts;
}

LRESULT CALLBACK countErasing(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_ERASEBKGND) {
        ++erasures()[sent->hwnd];
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Laid out again at another scale, the window and each control are drawn
// once, when everything has its new place and font, not once for every
// control that moves.
TEST_F(DisplayScale, AMoveToAnotherScaleDrawsEveryWindowOnce) {
    const HWND window = mainWindowHandle();
    pumpMessages();
    for (const UINT dpi : {144U, 96U, namedDpi()}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        erasures().clear();
        const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, countErasing, nullptr, GetCurrentThreadId());
        RECT suggested{};
        GetWindowRect(window, &suggested);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        pumpMessages();
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(erasures()[window], 1);
        for (const auto& [drawn, times] : erasures()) {
            EXPECT_EQ(times, 1) << className(drawn);
        }
    }
    ShowWindow(window, SW_HIDE);
    RECT suggested{};
    GetWindowRect(window, &suggested);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_FALSE(IsWindowVisible(window)) << "a hidden window stays hidden";
}

// A display scale changed since the sign-in: the window opens laid out for
// its display, the icon list's spacing included.
using DisplayScaleOnAnotherDisplay = WizardWindowWithDpiFunctions<functionsOnTheOtherDisplay>;

TEST_F(DisplayScaleOnAnotherDisplay, WindowOpensLaidOutForItsDisplay) {
    const UINT dpi = dpiOfTheOtherDisplay();
    const RECT want = outerWithScaledFrame(dpi);
    RECT outer{};
    GetWindowRect(mainWindowHandle(), &outer);
    EXPECT_EQ(outer.right - outer.left, want.right - want.left);
    EXPECT_EQ(outer.bottom - outer.top, want.bottom - want.top);
    expectControlsScaledTo(dpi);
    expectWindowIconsAt(mainWindowHandle(), dpi);
}

// Windows 7 and 8.1: the window at the system's DPI; after a move that
// Windows 8.1 reports, the metrics of the new DPI are the system's scaled and
// the frame stays the system's.
using DisplayScaleOnOlderWindows = WizardWindowWithDpiFunctions<functionsOfOlderWindows>;

TEST_F(DisplayScaleOnOlderWindows, WindowAtTheSystemsScaleAndLaidOutAgainAfterAMove) {
    ASSERT_EQ(screenDpi(), namedDpi()) << "the run's display has the scale it names";
    EXPECT_EQ(clientSize(mainWindowHandle()).cx, scaled(540, namedDpi()));
    EXPECT_EQ(clientSize(mainWindowHandle()).cy, scaled(443, namedDpi()));
    expectControlsScaledTo(namedDpi());
    expectLaidOutAgainOnEachMove(outerWithTheSystemsFrame);
}

using MainWindowLayout = WizardWindow;

TEST_F(MainWindowLayout, WindowHasFixedClientSizeCentredOnScreen) {
    const HWND window = mainWindowHandle();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right - client.left, 540);
    EXPECT_EQ(client.bottom - client.top, 443);

    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(windowText(window), "MessageRequester");
    EXPECT_EQ(className(window), mainWindowClassName);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), CS_DBLCLKS);
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

// The window's small and large icons are the images drawn for those sizes,
// not one scaled from another; so are the icons for other display scales.
TEST_F(MainWindowLayout, IconsAreTheImagesDrawnForTheirSizes) {
    const int smallSize = GetSystemMetrics(SM_CXSMICON);
    const int largeSize = GetSystemMetrics(SM_CXICON);
    const HWND window = mainWindowHandle();
    EXPECT_TRUE(isDrawnImage(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM)), smallSize));
    EXPECT_TRUE(isDrawnImage(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)), largeSize));
    for (const int dpi : {120, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        const ProgramIcons icons = loadProgramIcons(programInstance(), static_cast<UINT>(dpi));
        EXPECT_TRUE(isDrawnImage(icons.smallIcon, MulDiv(smallSize, dpi, USER_DEFAULT_SCREEN_DPI)));
        EXPECT_TRUE(isDrawnImage(icons.largeIcon, MulDiv(largeSize, dpi, USER_DEFAULT_SCREEN_DPI)));
        destroyProgramIcons(icons);
    }
}

TEST_F(MainWindowLayout, ControlsAreCreatedInTableOrderWithTheirPlaceStyleAndText) {
    const std::vector<HWND> children = childrenInOrder(mainWindowHandle());
    const std::vector<ExpectedControl>& expected = expectedControls();
    ASSERT_EQ(children.size(), expected.size());
    std::set<LONG_PTR> labelIdentifiers;
    for (std::size_t row = 0; row < expected.size(); ++row) {
        SCOPED_TRACE("row " + std::to_string(row + 1));
        const HWND control = children[row];
        const ExpectedControl& want = expected[row];
        EXPECT_TRUE(sameClass(className(control), want.className)) << className(control);
        const LONG_PTR identifier = GetWindowLongPtrA(control, GWLP_ID);
        if (want.gadget == 0) {
            EXPECT_TRUE(identifier < 1 || identifier > 10) << identifier;
            EXPECT_TRUE(labelIdentifiers.insert(identifier).second);
        } else {
            EXPECT_EQ(identifier, want.gadget);
            EXPECT_EQ(gadgetWindow(want.gadget), control);
        }
        if (sameClass(want.className, "ComboBox")) {
            expectDropDownPlace(control, want.place);
        } else {
            expectPlace(control, want.place);
        }
        // The list view adds and removes its own scroll bars.
        const DWORD ownScrollBars = want.gadget == gadgets::iconList ? WS_HSCROLL | WS_VSCROLL : 0;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE)) & ~ownScrollBars, want.style);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, want.extendedStyle);
        EXPECT_EQ(windowText(control), want.text);
        if (want.gadget != gadgets::editor) {  // Scintilla does not answer WM_GETFONT
            EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0),
                      reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
        }
    }
}

TEST_F(MainWindowLayout, GadgetNumbersWithoutControlDoNothing) {
    EXPECT_EQ(gadgetWindow(8), nullptr);
    EXPECT_EQ(gadgetWindow(0), nullptr);
    const HWND focus = GetFocus();
    focusGadget(8);
    EXPECT_EQ(GetFocus(), focus);
}

TEST_F(MainWindowLayout, IconListShowsFiveLargeIconEntriesWithEntryZeroSelected) {
    const HWND list = gadgetWindow(gadgets::iconList);
    EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5);
    for (int entry = 0; entry < 5; ++entry) {
        EXPECT_EQ(listEntryText(list, entry), text(iconTable[static_cast<std::size_t>(entry)].caption));
        EXPECT_EQ(listEntryImage(list, entry), entry);
    }
    EXPECT_NE(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
    EXPECT_NE(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);

    std::array<char, 64> header{};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = header.data();
    column.cchTextMax = static_cast<int>(header.size());
    ASSERT_NE(SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)), 0);
    EXPECT_EQ(std::string(header.data()), text(ansi("Иконка:").view()));
    EXPECT_EQ(column.cx, 200);
}

TEST_F(MainWindowLayout, DropDownListsHoldTheOptionTablesWithEntryZeroSelected) {
    expectDropDownFilled(gadgets::modalityList, modalityTable);
    expectDropDownFilled(gadgets::buttonSetList, buttonSetTable);
    expectDropDownFilled(gadgets::defaultButtonList, defaultButtonTable);
}

TEST_F(MainWindowLayout, TitleFieldHasTheFocusAndTheOptionsReadAsEntryZero) {
    EXPECT_EQ(GetFocus(), gadgetWindow(gadgets::titleField));
    const MessageBoxOptions options = readOptions();
    EXPECT_EQ(options.title, "");
    EXPECT_EQ(options.iconIndex, 0);
    EXPECT_EQ(options.modalityIndex, 0);
    EXPECT_EQ(options.buttonSetIndex, 0);
    EXPECT_EQ(options.defaultButtonIndex, 0);
}

// --- The window in every language ----------------------------------------

namespace {

using Member = std::string_view InterfaceTexts::*;

// The text each control shows, by creation order; null for none.
constexpr std::array<Member, 15> controlTexts{
    &InterfaceTexts::titleLabel,    nullptr, &InterfaceTexts::textLabel,          nullptr,
    &InterfaceTexts::iconLabel,     nullptr, &InterfaceTexts::modalityLabel,      nullptr,
    &InterfaceTexts::buttonSetLabel, nullptr, &InterfaceTexts::defaultButtonLabel, nullptr,
    &InterfaceTexts::testButton,    &InterfaceTexts::copyButton, &InterfaceTexts::linkLabel,
};

constexpr std::array<InterfaceLanguage, 5> translations{InterfaceLanguage::english, InterfaceLanguage::german,
                                                        InterfaceLanguage::french, InterfaceLanguage::italian,
                                                        InterfaceLanguage::spanish};

// The window built again, its texts those of a language.
void rebuildIn(InterfaceLanguage language) {
    destroyMainWindow();
    pumpMessages();
    useInterfaceLanguage(language);
    ASSERT_TRUE(startMainWindow());
}

std::wstring wideText(HWND control) {
    std::array<wchar_t, 256> buffer{};
    const int length = GetWindowTextW(control, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
}

std::wstring comboEntryWide(HWND comboBox, int entry) {
    std::array<wchar_t, 256> buffer{};
    SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

std::wstring listEntryWide(HWND list, int entry) {
    std::array<wchar_t, 256> buffer{};
    LVITEMW item{};
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
    return buffer.data();
}

std::wstring toolTipOf(HWND control) {
    std::array<wchar_t, 256> buffer{};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = buffer.data();
    SendMessageW(toolTipWindow(), TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
    return buffer.data();
}

// A text in the control's font: its width on one line, and wrapped at a
// width its widest line (wider where a word is) and its lines.
struct Measure {
    int width = 0;
    int wrappedWidth = 0;
    int lines = 0;
};

Measure measured(HWND control, const std::wstring& text, int width) {
    const HDC context = GetDC(control);
    const HGDIOBJ previous =
        SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    RECT wrapped{0, 0, width, 0};
    DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &wrapped,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_CENTER);
    SIZE extent{};
    GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    return Measure{extent.cx, wrapped.right - wrapped.left,
                   static_cast<int>((wrapped.bottom - wrapped.top) / std::max<LONG>(metrics.tmHeight, 1))};
}

// The width of the control's client area that the window shows, which ends
// at the window's client edge.
int shownWidth(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    MapWindowPoints(control, GetParent(control), reinterpret_cast<POINT*>(&client), 2);
    RECT parent{};
    GetClientRect(GetParent(control), &parent);
    return std::min(client.right, parent.right) - std::max(client.left, parent.left);
}

// Every caption, button text and link on one line in what the window shows of
// its control; every icon-list entry in at most the two lines of its label, no
// word cut; every drop-down entry whole in the opened list; and every note on
// a selection that did not open, in every language, on the line of a
// 320-pixel label in the labels' font.
void expectEveryTextFits(UINT dpi) {
    const std::vector<HWND> children = childrenInOrder(mainWindowHandle());
    ASSERT_EQ(children.size(), controlTexts.size());
    for (std::size_t row = 0; row < children.size(); ++row) {
        if (controlTexts[row] == nullptr) {
            continue;
        }
        const HWND control = children[row];
        const bool isButton = sameClass(className(control), "Button");
        const int room = shownWidth(control) - (isButton ? 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi) : 0);
        EXPECT_LE(measured(control, wideText(control), room).width, room)
            << "row " << row + 1 << ": " << utf8FromWide(wideText(control));
    }
    const HWND iconList = gadgetWindow(gadgets::iconList);
    for (int entry = 0; entry < static_cast<int>(iconTable.size()); ++entry) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(iconList, LVM_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&bounds));
        const int room = bounds.right - bounds.left;
        const Measure shown = measured(iconList, listEntryWide(iconList, entry), room);
        EXPECT_LE(shown.wrappedWidth, room) << utf8FromWide(listEntryWide(iconList, entry));
        EXPECT_LE(shown.lines, 2) << utf8FromWide(listEntryWide(iconList, entry));
    }
    const int listFrame = 2 * GetSystemMetricsForDpi(SM_CXBORDER, dpi) + GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
    for (const int gadget : {gadgets::modalityList, gadgets::buttonSetList, gadgets::defaultButtonList}) {
        const HWND list = gadgetWindow(gadget);
        const auto opened = static_cast<int>(SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0));
        for (int entry = 0; entry < static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0)); ++entry) {
            const std::wstring shown = comboEntryWide(list, entry);
            EXPECT_LE(measured(list, shown, opened).width + listFrame, opened) << utf8FromWide(shown);
        }
    }
    const int noteRoom = scaled(320, dpi);
    for (std::size_t language = 0; language < interfaceLanguageCount; ++language) {
        for (const std::string_view note : interfaceTexts(static_cast<InterfaceLanguage>(language)).unreadSelectionNotes) {
            EXPECT_LE(measured(children[0], wideFromUtf8(note), noteRoom).width, noteRoom) << note;
        }
    }
}

// The texts the window shows, read back as UTF-16, are the language's.
void expectTextsOf(InterfaceLanguage language) {
    const InterfaceTexts& texts = interfaceTexts(language);
    const std::vector<HWND> children = childrenInOrder(mainWindowHandle());
    ASSERT_EQ(children.size(), controlTexts.size());
    EXPECT_EQ(wideText(mainWindowHandle()), wideFromUtf8(texts.windowTitle));
    for (std::size_t row = 0; row < children.size(); ++row) {
        if (controlTexts[row] != nullptr) {
            EXPECT_EQ(wideText(children[row]), wideFromUtf8(texts.*controlTexts[row])) << "row " << row + 1;
        }
    }
    const HWND iconList = gadgetWindow(gadgets::iconList);
    for (std::size_t entry = 0; entry < texts.iconNames.size(); ++entry) {
        EXPECT_EQ(listEntryWide(iconList, static_cast<int>(entry)), wideFromUtf8(texts.iconNames[entry]));
    }
    const auto expectEntries = [](int gadget, const auto& names) {
        const HWND list = gadgetWindow(gadget);
        ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(names.size()));
        for (std::size_t entry = 0; entry < names.size(); ++entry) {
            EXPECT_EQ(comboEntryWide(list, static_cast<int>(entry)), wideFromUtf8(names[entry]));
        }
    };
    expectEntries(gadgets::modalityList, texts.modalityNames);
    expectEntries(gadgets::buttonSetList, texts.buttonSetNames);
    expectEntries(gadgets::defaultButtonList, texts.defaultButtonNames);
    EXPECT_EQ(toolTipOf(gadgetWindow(gadgets::copyButton)), wideFromUtf8(texts.copyToolTip));
    EXPECT_EQ(toolTipOf(gadgetWindow(gadgets::linkLabel)), wideFromUtf8(texts.linkToolTip));
}

// The clipboard's text and single-byte text after a copy of one message.
std::pair<std::wstring, std::string> copiedCall() {
    SetWindowTextW(gadgetWindow(gadgets::titleField), L"Frage — Вопрос");
    sendEditorMessage(gadgets::editor, sci::setText, 0, reinterpret_cast<LPARAM>("Sûr ? Точно?\r\nÜbernehmen"));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = item.stateMask;
    SendMessageW(gadgetWindow(gadgets::iconList), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item));
    SendMessageW(gadgetWindow(gadgets::modalityList), CB_SETCURSEL, 1, 0);
    SendMessageW(gadgetWindow(gadgets::buttonSetList), CB_SETCURSEL, 2, 0);
    SendMessageW(gadgetWindow(gadgets::defaultButtonList), CB_SETCURSEL, 1, 0);
    runCopyAction();
    std::pair<std::wstring, std::string> copied;
    if (OpenClipboard(nullptr) != FALSE) {
        if (const HANDLE wide = GetClipboardData(CF_UNICODETEXT)) {
            copied.first = static_cast<const wchar_t*>(GlobalLock(wide));
            GlobalUnlock(wide);
        }
        if (const HANDLE bytes = GetClipboardData(CF_TEXT)) {
            copied.second = static_cast<const char*>(GlobalLock(bytes));
            GlobalUnlock(bytes);
        }
        CloseClipboard();
    }
    return copied;
}

}  // namespace

// Run at 96, 120, 144 and 192 DPI: the window in each translation shows that
// language's texts, each whole, also once moved to a display of another scale.
TEST_F(DisplayScale, EveryLanguageShowsItsTextsWholeAtTheDisplaysScale) {
    const UINT dpi = namedDpi();
    const UINT otherDpi = dpi == 192 ? 120 : 192;
    for (const InterfaceLanguage language : translations) {
        SCOPED_TRACE("language " + std::to_string(static_cast<int>(language)));
        rebuildIn(language);
        expectTextsOf(language);
        expectEveryTextFits(dpi);
        RECT suggested{};
        GetWindowRect(mainWindowHandle(), &suggested);
        SendMessageW(mainWindowHandle(), WM_DPICHANGED, MAKEWPARAM(otherDpi, otherDpi),
                     reinterpret_cast<LPARAM>(&suggested));
        SCOPED_TRACE(testing::Message() << "moved to " << otherDpi << " DPI");
        expectEveryTextFits(otherDpi);
    }
    useInterfaceLanguage(InterfaceLanguage::russian);
}

using InterfaceLanguages = WizardWindow;

// The Russian window opens its lists as wide as their boxes, as it always did.
TEST_F(InterfaceLanguages, RussianListsOpenAsWideAsTheirBoxes) {
    for (const int gadget : {gadgets::modalityList, gadgets::buttonSetList, gadgets::defaultButtonList}) {
        const HWND list = gadgetWindow(gadget);
        EXPECT_EQ(SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0), placeInParent(list).right - placeInParent(list).left);
    }
}

// The IDE's language wins over that of Windows (Russian in this session);
// a variable set but empty gives English.
TEST_F(InterfaceLanguages, TheIdesLanguageWinsOverTheWindowsLanguage) {
    ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_RUSSIAN);
    EXPECT_EQ(sessionInterfaceLanguage(), InterfaceLanguage::russian);
    SetEnvironmentVariableW(L"PB_TOOL_Language", L"Fran\u00E7ais");
    EXPECT_EQ(sessionInterfaceLanguage(), InterfaceLanguage::french);
    SetEnvironmentVariableW(L"PB_TOOL_Language", L"Espa\u00F1ol");
    EXPECT_EQ(sessionInterfaceLanguage(), InterfaceLanguage::spanish);
    SetEnvironmentVariableW(L"PB_TOOL_Language", L"");
    EXPECT_EQ(sessionInterfaceLanguage(), InterfaceLanguage::english);
    SetEnvironmentVariableW(L"PB_TOOL_Language", nullptr);
    EXPECT_EQ(sessionInterfaceLanguage(), InterfaceLanguage::russian);
}

// The copied call is the same in every language, in both clipboard formats.
TEST_F(InterfaceLanguages, TheCopiedCallIsTheSameInEveryLanguage) {
    const std::pair<std::wstring, std::string> russian = copiedCall();
    ASSERT_NE(russian.first.find(L"#MB_ABORTRETRYIGNORE"), std::wstring::npos);
    for (const InterfaceLanguage language : translations) {
        SCOPED_TRACE("language " + std::to_string(static_cast<int>(language)));
        rebuildIn(language);
        const std::pair<std::wstring, std::string> copied = copiedCall();
        EXPECT_EQ(copied.first, russian.first);
        EXPECT_EQ(copied.second, russian.second);
    }
    useInterfaceLanguage(InterfaceLanguage::russian);
}
