#include "main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>

#include "control_font.h"
#include "display_scale.h"
#include "editor.h"
#include "event_loop.h"
#include "events.h"
#include "gadgets.h"
#include "icon_list.h"
#include "link_label.h"
#include "program_icon.h"
#include "startup.h"
#include "title_field.h"
#include "tooltip.h"
#include "windows1251.h"

namespace {

enum class ControlKind { plain, editor, iconList, linkLabel };

// One control of the window; the editor and the link label are built by
// their own creators, which fix their class and style.
struct ControlRow {
    ControlKind kind = ControlKind::plain;
    int gadget = 0;  // 0 for a caption label
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    const char* text = "";  // Windows-1251
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    const char* toolTip = nullptr;
};

constexpr DWORD labelStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD fieldStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD iconListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
constexpr DWORD dropDownStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_GROUP | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
constexpr DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
static_assert(labelStyle == 0x50020000 && fieldStyle == 0x50030080 && iconListStyle == 0x5001004D);
static_assert(dropDownStyle == 0x50A30203 && buttonStyle == 0x50030000);

constexpr auto titleCaption = ansi("Заголовок:");
constexpr auto textCaption = ansi("Текст:");
constexpr auto modalityCaption = ansi("Вид:");
constexpr auto buttonSetCaption = ansi("Кнопки:");
constexpr auto defaultButtonCaption = ansi("Кнопка по умолчанию:");
constexpr auto testButtonText = ansi("Тест");
constexpr auto copyButtonText = ansi("Скопировать");
constexpr auto copyButtonToolTip = ansi("Скопировать в буфер обмена");
constexpr auto linkLabelText = ansi("MessageRequester wizard © ");
constexpr const char* linkLabelToolTip = "Orlenka";
constexpr COLORREF linkHoverColour = RGB(0, 0, 128);

constexpr std::array<ControlRow, 15> controlTable{{
    {ControlKind::plain, 0, 145, 10, 60, 15, titleCaption.c_str(), L"Static", labelStyle, 0, nullptr},
    {ControlKind::plain, gadgets::titleField, 140, 30, 390, 25, "", L"Edit", fieldStyle, WS_EX_CLIENTEDGE, nullptr},
    {ControlKind::plain, 0, 145, 60, 60, 15, textCaption.c_str(), L"Static", labelStyle, 0, nullptr},
    {ControlKind::editor, gadgets::editor, 140, 80, 390, 240, "", nullptr, 0, 0, nullptr},
    {ControlKind::plain, 0, 15, 10, 45, 15, iconListCaption.c_str(), L"Static", labelStyle, 0, nullptr},
    {ControlKind::iconList, gadgets::iconList, 10, 30, 100, 385, "", WC_LISTVIEWW, iconListStyle, WS_EX_CLIENTEDGE,
     nullptr},
    {ControlKind::plain, 0, 145, 325, 60, 15, modalityCaption.c_str(), L"Static", labelStyle, 0, nullptr},
    {ControlKind::plain, gadgets::modalityList, 145, 345, 120, 120, "", L"ComboBox", dropDownStyle, WS_EX_CLIENTEDGE,
     nullptr},
    {ControlKind::plain, 0, 290, 325, 60, 15, buttonSetCaption.c_str(), L"Static", labelStyle, 0, nullptr},
    {ControlKind::plain, gadgets::buttonSetList, 290, 345, 120, 120, "", L"ComboBox", dropDownStyle, WS_EX_CLIENTEDGE,
     nullptr},
    {ControlKind::plain, 0, 425, 325, 120, 15, defaultButtonCaption.c_str(), L"Static", labelStyle, 0, nullptr},
    {ControlKind::plain, gadgets::defaultButtonList, 435, 345, 95, 120, "", L"ComboBox", dropDownStyle,
     WS_EX_CLIENTEDGE, nullptr},
    {ControlKind::plain, gadgets::testButton, 150, 390, 100, 25, testButtonText.c_str(), L"Button", buttonStyle, 0,
     nullptr},
    {ControlKind::plain, gadgets::copyButton, 430, 390, 100, 25, copyButtonText.c_str(), L"Button", buttonStyle, 0,
     copyButtonToolTip.c_str()},
    {ControlKind::linkLabel, gadgets::linkLabel, 10, 425, 300, 15, linkLabelText.c_str(), nullptr, 0, 0,
     linkLabelToolTip},
}};

// Caption labels get identifiers of their own, above every gadget number.
constexpr int firstLabelIdentifier = 100;

constexpr ACCEL acceleratorTable[] = {
    {FVIRTKEY | FNOINVERT, VK_TAB, acceleratorCommands::nextControl},
    {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, acceleratorCommands::previousControl},
};

struct MainWindow {
    HWND window = nullptr;
    HACCEL accelerators = nullptr;
    ProgramIcons classIcons;  // at the system's DPI
    ProgramIcons windowIcons;  // at the window's DPI where it is another
    UINT dpi = standardDpi;
    std::array<HWND, controlTable.size()> controls{};  // by row, null where creation failed
};

MainWindow& mainWindow() {
    static MainWindow state;
    return state;
}

bool registerMainWindowClass(const std::wstring& className, const ProgramIcons& icons) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProcedure;
    windowClass.hInstance = programInstance();
    windowClass.hIcon = icons.largeIcon;
    windowClass.hIconSm = icons.smallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = className.c_str();
    return RegisterClassExW(&windowClass) != 0;
}

// The outer rectangle at a DPI, centred on the screen and cut to it where
// the screen is smaller.
RECT centredWindowRectangle(UINT dpi) {
    const SIZE outer = mainWindowSizeForDpi(dpi);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int width = std::min(static_cast<int>(outer.cx), screenWidth);
    const int height = std::min(static_cast<int>(outer.cy), screenHeight);
    const int x = (screenWidth - width) / 2;
    const int y = (screenHeight - height) / 2;
    return RECT{x, y, x + width, y + height};
}

// The background is erased with the next painting, when the controls have
// their places at the window's new size.
void placeWindow(HWND window, const RECT& place) {
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE);
}

// The window's own icons, where its DPI is not the one of the class's.
void setWindowIcons(MainWindow& state) {
    const ProgramIcons previous = state.windowIcons;
    state.windowIcons = loadProgramIcons(programInstance(), state.dpi);
    SendMessageW(state.window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(state.windowIcons.smallIcon));
    SendMessageW(state.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(state.windowIcons.largeIcon));
    destroyProgramIcons(previous);
}

// The window is made for the system's DPI; a display of another scale (set
// since the user signed in) gets it again at its own.
bool openMainWindow() {
    const std::wstring className = wideFromWindows1251(mainWindowClassName);
    const UINT creationDpi = systemDpi();
    const ProgramIcons icons = loadProgramIcons(programInstance(), creationDpi);
    registerMainWindowClass(className, icons);
    const RECT place = centredWindowRectangle(creationDpi);
    const HWND window = CreateWindowExW(0, className.c_str(), wideFromWindows1251(mainWindowTitle).c_str(),
                                        mainWindowGeometry::style, place.left, place.top, place.right - place.left,
                                        place.bottom - place.top, nullptr, nullptr, programInstance(), nullptr);
    if (window == nullptr) {
        UnregisterClassW(className.c_str(), programInstance());
        destroyProgramIcons(icons);
        return false;
    }
    ACCEL accelerators[std::size(acceleratorTable)] = {};
    std::copy(std::begin(acceleratorTable), std::end(acceleratorTable), accelerators);
    MainWindow& state = mainWindow();
    state = MainWindow{};
    state.window = window;
    state.accelerators = CreateAcceleratorTableW(accelerators, std::size(accelerators));
    state.classIcons = icons;
    state.dpi = windowDpi(window);
    if (state.dpi != creationDpi) {
        placeWindow(window, centredWindowRectangle(state.dpi));
        setWindowIcons(state);
    }
    setReportWindow(window);
    return true;
}

// A row's place and size at a DPI.
ControlRow scaledRow(const ControlRow& row, UINT dpi) {
    ControlRow scaled = row;
    scaled.x = scaledToDpi(row.x, dpi);
    scaled.y = scaledToDpi(row.y, dpi);
    scaled.width = scaledToDpi(row.width, dpi);
    scaled.height = scaledToDpi(row.height, dpi);
    return scaled;
}

HWND createPlainControl(const ControlRow& row) {
    const INT_PTR provisionalIdentifier = row.kind == ControlKind::iconList ? 0 : -1;
    return CreateWindowExW(row.extendedStyle, row.className, wideFromWindows1251(row.text).c_str(), row.style, row.x,
                           row.y, row.width, row.height, gadgetContainer(),
                           reinterpret_cast<HMENU>(provisionalIdentifier), programInstance(), nullptr);
}

// Creates one row's control (its figures already at the window's DPI) and
// everything that follows it at once; answers the control.
HWND createControl(const ControlRow& row, int& nextLabelIdentifier) {
    HWND control = nullptr;
    switch (row.kind) {
    case ControlKind::editor:
        control = createEditor(row.gadget, row.x, row.y, row.width, row.height, editorNotification);
        configureEditor(row.gadget);
        break;
    case ControlKind::linkLabel:
        control = createLinkLabel(row.gadget, row.x, row.y, row.width, row.height, row.text, linkHoverColour);
        break;
    case ControlKind::iconList:
        control = createPlainControl(row);
        if (control != nullptr) {
            registerGadget(row.gadget, control, iconListNotification);
            insertIconListColumn(control);
        }
        break;
    case ControlKind::plain:
        control = createPlainControl(row);
        if (control == nullptr) {
            break;
        }
        if (row.gadget == 0) {
            registerControl(control, nextLabelIdentifier);
            ++nextLabelIdentifier;
        } else {
            registerGadget(row.gadget, control, nullptr);
        }
        if (row.gadget == gadgets::titleField) {
            subclassTitleField(control);
        }
        break;
    }
    if (row.toolTip != nullptr) {
        setGadgetToolTip(row.gadget, row.toolTip);
    }
    return control;
}

// Every control at a DPI, its font first, for a drop-down list takes its
// closed height from it. A shown window draws nothing while they change, and
// then all at once: a move between displays repaints once. (Turning drawing
// back on shows a window, so a hidden one is left as it is.)
void layOutControls(const MainWindow& state) {
    const bool shown = IsWindowVisible(state.window) != FALSE;
    if (shown) {
        SendMessageW(state.window, WM_SETREDRAW, FALSE, 0);
    }
    for (std::size_t index = 0; index < controlTable.size(); ++index) {
        const HWND control = state.controls[index];
        if (control == nullptr) {
            continue;
        }
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(gadgetFont()), FALSE);
        const ControlRow row = scaledRow(controlTable[index], state.dpi);
        SetWindowPos(control, nullptr, row.x, row.y, row.width, row.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (shown) {
        SendMessageW(state.window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(state.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// Beside the controls' places and font, the editor's caret and the tips'
// font follow the DPI.
void scaleContents(UINT dpi) {
    scaleEditor(gadgets::editor, dpi);
    scaleToolTipFont(dpi);
}

template <typename Entry, std::size_t N>
void fillDropDownList(int gadget, const std::array<Entry, N>& table) {
    const HWND list = gadgetWindow(gadget);
    if (list == nullptr) {
        return;
    }
    for (std::size_t entry = 0; entry < N; ++entry) {
        const std::wstring caption = wideFromWindows1251(table[entry].caption);
        SendMessageW(list, CB_INSERTSTRING, entry, reinterpret_cast<LPARAM>(caption.c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, 0, 0);
}

}  // namespace

void createMainWindow() {
    if (!openMainWindow()) {
        return;
    }
    MainWindow& state = mainWindow();
    setGadgetContainer(state.window, createControlFont(state.dpi));
    int nextLabelIdentifier = firstLabelIdentifier;
    for (std::size_t index = 0; index < controlTable.size(); ++index) {
        state.controls[index] = createControl(scaledRow(controlTable[index], state.dpi), nextLabelIdentifier);
    }
    scaleContents(state.dpi);
}

void fillOptionLists() {
    const HWND iconList = gadgetWindow(gadgets::iconList);
    if (iconList != nullptr) {
        fillIconList(iconList, mainWindow().dpi);
    }
    fillDropDownList(gadgets::modalityList, modalityTable);
    fillDropDownList(gadgets::buttonSetList, buttonSetTable);
    fillDropDownList(gadgets::defaultButtonList, defaultButtonTable);
}

void showMainWindow() {
    if (mainWindow().window != nullptr) {
        ShowWindow(mainWindow().window, SW_SHOWNORMAL);
    }
}

bool startMainWindow() {
    createMainWindow();
    if (mainWindow().window == nullptr) {
        return false;
    }
    fillOptionLists();
    focusGadget(gadgets::titleField);
    showMainWindow();
    return true;
}

HWND mainWindowHandle() {
    return mainWindow().window;
}

HACCEL mainWindowAccelerators() {
    return mainWindow().accelerators;
}

SIZE mainWindowSizeForDpi(UINT dpi) {
    RECT outer{0, 0, scaledToDpi(mainWindowGeometry::clientWidth, dpi),
               scaledToDpi(mainWindowGeometry::clientHeight, dpi)};
    adjustWindowRectangleForDpi(outer, mainWindowGeometry::style, dpi);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

void rescaleMainWindow(UINT dpi, const RECT& suggested) {
    MainWindow& state = mainWindow();
    if (state.window == nullptr) {
        return;
    }
    const HFONT previousFont = gadgetFont();
    state.dpi = dpi;
    setGadgetContainer(state.window, createControlFont(dpi));
    const SIZE outer = mainWindowSizeForDpi(dpi);
    placeWindow(state.window, RECT{suggested.left, suggested.top, suggested.left + outer.cx, suggested.top + outer.cy});
    layOutControls(state);
    scaleContents(dpi);
    deleteControlFont(previousFont);
    const HWND iconList = gadgetWindow(gadgets::iconList);
    if (iconList != nullptr) {
        rescaleIconList(iconList, dpi);
    }
    setWindowIcons(state);
}

void destroyMainWindow() {
    MainWindow& state = mainWindow();
    destroyToolTip();
    if (state.window != nullptr) {
        DestroyWindow(state.window);
        UnregisterClassW(wideFromWindows1251(mainWindowClassName).c_str(), programInstance());
        setReportWindow(nullptr);
    }
    destroyProgramIcons(state.classIcons);
    destroyProgramIcons(state.windowIcons);
    deleteControlFont(gadgetFont());
    if (state.accelerators != nullptr) {
        DestroyAcceleratorTable(state.accelerators);
    }
    destroyIconImages();
    forgetGadgets();
    state = MainWindow{};
}
