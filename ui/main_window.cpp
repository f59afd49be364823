#include "main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "control_font.h"
#include "display_scale.h"
#include "editor.h"
#include "event_loop.h"
#include "events.h"
#include "gadgets.h"
#include "icon_list.h"
#include "ide_link.h"
#include "interface_language.h"
#include "interface_texts.h"
#include "link_label.h"
#include "program_icon.h"
#include "startup.h"
#include "title_field.h"
#include "tooltip.h"
#include "utf8.h"

namespace {

enum class ControlKind { plain, editor, iconList, linkLabel };

// A text of the interface, taken from the texts of the language in use.
using InterfaceText = std::string_view InterfaceTexts::*;

std::string_view textInUse(InterfaceText text) {
    return text == nullptr ? std::string_view() : interfaceTextsInUse().*text;
}

// One control of the window; the editor and the link label are built by
// their own creators, which fix their class and style.
struct ControlRow {
    ControlKind kind = ControlKind::plain;
    int gadget = 0;  // 0 for a caption label
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    InterfaceText text = nullptr;  // none where null
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    InterfaceText toolTip = nullptr;
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

constexpr COLORREF linkHoverColour = RGB(0, 0, 128);

constexpr std::array<ControlRow, 15> controlTable{{
    {ControlKind::plain, 0, 145, 10, 60, 15, &InterfaceTexts::titleLabel, L"Static", labelStyle, 0, nullptr},
    {ControlKind::plain, gadgets::titleField, 140, 30, 390, 25, nullptr, L"Edit", fieldStyle, WS_EX_CLIENTEDGE, nullptr},
    {ControlKind::plain, 0, 145, 60, 60, 15, &InterfaceTexts::textLabel, L"Static", labelStyle, 0, nullptr},
    {ControlKind::editor, gadgets::editor, 140, 80, 390, 240, nullptr, nullptr, 0, 0, nullptr},
    {ControlKind::plain, 0, 15, 10, 45, 15, &InterfaceTexts::iconLabel, L"Static", labelStyle, 0, nullptr},
    {ControlKind::iconList, gadgets::iconList, 10, 30, 100, 385, nullptr, WC_LISTVIEWW, iconListStyle,
     WS_EX_CLIENTEDGE, nullptr},
    {ControlKind::plain, 0, 145, 325, 60, 15, &InterfaceTexts::modalityLabel, L"Static", labelStyle, 0, nullptr},
    {ControlKind::plain, gadgets::modalityList, 145, 345, 120, 120, nullptr, L"ComboBox", dropDownStyle,
     WS_EX_CLIENTEDGE, nullptr},
    {ControlKind::plain, 0, 290, 325, 60, 15, &InterfaceTexts::buttonSetLabel, L"Static", labelStyle, 0, nullptr},
    {ControlKind::plain, gadgets::buttonSetList, 290, 345, 120, 120, nullptr, L"ComboBox", dropDownStyle,
     WS_EX_CLIENTEDGE, nullptr},
    {ControlKind::plain, 0, 425, 325, 120, 15, &InterfaceTexts::defaultButtonLabel, L"Static", labelStyle, 0,
     nullptr},
    {ControlKind::plain, gadgets::defaultButtonList, 435, 345, 95, 120, nullptr, L"ComboBox", dropDownStyle,
     WS_EX_CLIENTEDGE, nullptr},
    {ControlKind::plain, gadgets::testButton, 150, 390, 100, 25, &InterfaceTexts::testButton, L"Button", buttonStyle,
     0, nullptr},
    {ControlKind::plain, gadgets::copyButton, 430, 390, 100, 25, &InterfaceTexts::copyButton, L"Button", buttonStyle,
     0, &InterfaceTexts::copyToolTip},
    {ControlKind::linkLabel, gadgets::linkLabel, 10, 425, 300, 15, &InterfaceTexts::linkLabel, nullptr, 0, 0,
     &InterfaceTexts::linkToolTip},
}};

// A caption's place in a language whose text needs more room than the first
// layout gives it (or keeps less than 8 pixels at 100 %): its label takes free
// space beside it, wider or starting further left. The default button's label
// of the first layout ends 5 pixels beyond the window's client area.
struct LabelPlace {
    InterfaceLanguage language = InterfaceLanguage::russian;
    InterfaceText text = nullptr;
    int x = 0;
    int width = 0;
};

constexpr std::array<LabelPlace, 13> roomierLabels{{
    {InterfaceLanguage::english, &InterfaceTexts::modalityLabel, 145, 80},
    {InterfaceLanguage::german, &InterfaceTexts::iconLabel, 15, 60},
    {InterfaceLanguage::german, &InterfaceTexts::modalityLabel, 145, 80},
    {InterfaceLanguage::german, &InterfaceTexts::buttonSetLabel, 290, 100},
    {InterfaceLanguage::german, &InterfaceTexts::defaultButtonLabel, 405, 135},
    {InterfaceLanguage::french, &InterfaceTexts::iconLabel, 15, 60},
    {InterfaceLanguage::french, &InterfaceTexts::modalityLabel, 145, 80},
    {InterfaceLanguage::french, &InterfaceTexts::buttonSetLabel, 290, 80},
    {InterfaceLanguage::french, &InterfaceTexts::defaultButtonLabel, 415, 125},
    {InterfaceLanguage::italian, &InterfaceTexts::modalityLabel, 145, 80},
    {InterfaceLanguage::italian, &InterfaceTexts::defaultButtonLabel, 410, 130},
    {InterfaceLanguage::spanish, &InterfaceTexts::modalityLabel, 145, 80},
    {InterfaceLanguage::spanish, &InterfaceTexts::defaultButtonLabel, 395, 145},
}};

// Beside the copy button, in the room left of it; only when the IDE started
// the wizard. Its texts are taken from the interface texts.
constexpr ControlRow insertButtonRow{ControlKind::plain, gadgets::insertButton, 320, 390, 100, 25,
                                     &InterfaceTexts::insertButton, L"Button", buttonStyle, 0,
                                     &InterfaceTexts::insertToolTip};

// Above the editor, beside its label, where the IDE's selection did not open:
// what the wizard could not read. One line; a longer text ends in an ellipsis.
constexpr ControlRow selectionNoteRow{ControlKind::plain, gadgets::selectionNote, 210, 60, 320, 15, nullptr,
                                      L"Static", labelStyle | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS, 0,
                                      nullptr};

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
    HWND insertButton = nullptr;
    HWND selectionNote = nullptr;
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
    const std::wstring className = wideFromUtf8(mainWindowClassName);
    const UINT creationDpi = systemDpi();
    const ProgramIcons icons = loadProgramIcons(programInstance(), creationDpi);
    registerMainWindowClass(className, icons);
    const RECT place = centredWindowRectangle(creationDpi);
    const HWND window = CreateWindowExW(0, className.c_str(), wideFromUtf8(interfaceTextsInUse().windowTitle).c_str(),
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

// A row's place and size in the language in use, at a DPI.
ControlRow scaledRow(const ControlRow& row, UINT dpi) {
    ControlRow scaled = row;
    for (const LabelPlace& place : roomierLabels) {
        if (place.text == row.text && place.language == interfaceLanguageInUse()) {
            scaled.x = place.x;
            scaled.width = place.width;
        }
    }
    scaled.x = scaledToDpi(scaled.x, dpi);
    scaled.y = scaledToDpi(row.y, dpi);
    scaled.width = scaledToDpi(scaled.width, dpi);
    scaled.height = scaledToDpi(row.height, dpi);
    return scaled;
}

HWND createPlainControl(const ControlRow& row) {
    const INT_PTR provisionalIdentifier = row.kind == ControlKind::iconList ? 0 : -1;
    return CreateWindowExW(row.extendedStyle, row.className, wideFromUtf8(textInUse(row.text)).c_str(), row.style, row.x,
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
        control = createLinkLabel(row.gadget, row.x, row.y, row.width, row.height, textInUse(row.text),
                                  linkHoverColour);
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
        setGadgetToolTip(row.gadget, textInUse(row.toolTip));
    }
    return control;
}

// One control at a DPI, its font first, for a drop-down list takes its closed
// height from it.
void layOutControl(HWND control, const ControlRow& unscaled, UINT dpi) {
    if (control == nullptr) {
        return;
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(gadgetFont()), FALSE);
    const ControlRow row = scaledRow(unscaled, dpi);
    SetWindowPos(control, nullptr, row.x, row.y, row.width, row.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every control at a DPI. A shown window draws nothing while they change, and
// then all at once: a move between displays repaints once. (Turning drawing
// back on shows a window, so a hidden one is left as it is.)
void layOutControls(const MainWindow& state) {
    const bool shown = IsWindowVisible(state.window) != FALSE;
    if (shown) {
        SendMessageW(state.window, WM_SETREDRAW, FALSE, 0);
    }
    for (std::size_t index = 0; index < controlTable.size(); ++index) {
        layOutControl(state.controls[index], controlTable[index], state.dpi);
    }
    layOutControl(state.insertButton, insertButtonRow, state.dpi);
    layOutControl(state.selectionNote, selectionNoteRow, state.dpi);
    if (shown) {
        SendMessageW(state.window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(state.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// Created after every other control, so that Tab reaches it after the copy
// button.
void addInsertButton(MainWindow& state) {
    const ControlRow row = scaledRow(insertButtonRow, state.dpi);
    int unusedLabelIdentifier = firstLabelIdentifier;
    state.insertButton = createControl(row, unusedLabelIdentifier);
}

void addSelectionNote(MainWindow& state, UnreadSelection unread) {
    const ControlRow row = scaledRow(selectionNoteRow, state.dpi);
    int unusedLabelIdentifier = firstLabelIdentifier;
    state.selectionNote = createControl(row, unusedLabelIdentifier);
    const std::string_view note = interfaceTextsInUse().unreadSelectionNotes[static_cast<std::size_t>(unread)];
    if (state.selectionNote != nullptr) {
        SetWindowTextW(state.selectionNote, wideFromUtf8(note).c_str());
    }
}

// The editor holds the lines as the user would have typed them, and its undo
// starts from them.
void showReadCall(const ReadCall& call) {
    const HWND titleField = gadgetWindow(gadgets::titleField);
    if (titleField != nullptr) {
        SetWindowTextW(titleField, wideFromUtf8(call.options.title).c_str());
    }
    std::string text;
    for (std::size_t index = 0; index < call.lines.size(); ++index) {
        if (index > 0) {
            text += "\r\n";
        }
        text += call.lines[index];
    }
    sendEditorMessage(gadgets::editor, sci::setText, 0, reinterpret_cast<LPARAM>(text.c_str()));
    sendEditorMessage(gadgets::editor, sci::emptyUndoBuffer);
    const HWND iconList = gadgetWindow(gadgets::iconList);
    if (iconList != nullptr) {
        selectIconListEntry(iconList, call.options.iconIndex);
    }
    const std::pair<int, std::int32_t> lists[] = {{gadgets::modalityList, call.options.modalityIndex},
                                                  {gadgets::buttonSetList, call.options.buttonSetIndex},
                                                  {gadgets::defaultButtonList, call.options.defaultButtonIndex}};
    for (const auto& [gadget, entry] : lists) {
        const HWND list = gadgetWindow(gadget);
        if (list != nullptr) {
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        }
    }
}

// The IDE's selection opens in the window, or the window says why not.
void connectIde(MainWindow& state) {
    if (!connectToIde()) {
        return;
    }
    addInsertButton(state);
    const IdeSelection selection = readIdeSelection();
    if (selection.call) {
        showReadCall(*selection.call);
    } else if (selection.unread) {
        addSelectionNote(state, *selection.unread);
    }
}

// Beside the controls' places and font, the editor's caret and the tips'
// font follow the DPI.
void scaleContents(UINT dpi) {
    scaleEditor(gadgets::editor, dpi);
    scaleToolTipFont(dpi);
}

template <std::size_t N>
void fillDropDownList(int gadget, const std::array<std::string_view, N>& entries) {
    const HWND list = gadgetWindow(gadget);
    if (list == nullptr) {
        return;
    }
    for (std::size_t entry = 0; entry < N; ++entry) {
        const std::wstring caption = wideFromUtf8(entries[entry]);
        SendMessageW(list, CB_INSERTSTRING, entry, reinterpret_cast<LPARAM>(caption.c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, 0, 0);
}

// The width of the drop-down list's longest entry in its font.
int longestEntryWidth(HWND list) {
    const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    const HDC context = GetDC(list);
    const HGDIOBJ previous = SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int longest = 0;
    for (int entry = 0; entry < count; ++entry) {
        const auto length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry), 0);
        if (length <= 0) {
            continue;
        }
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text.data()));
        SIZE extent{};
        GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(length), &extent);
        longest = std::max(longest, static_cast<int>(extent.cx));
    }
    SelectObject(context, previous);
    ReleaseDC(list, context);
    return longest;
}

// The opened drop-down lists as wide as their longest entries with the
// entries' margins, the list's border and its scroll bar, as Windows' own
// dialogs open them; a list never opens narrower than its box.
void fitOpenedLists(UINT dpi) {
    if (!openedListsWidenInUse()) {
        return;
    }
    constexpr int entryMargins = 6;  // at 96 DPI, both sides together
    for (const int gadget : {gadgets::modalityList, gadgets::buttonSetList, gadgets::defaultButtonList}) {
        const HWND list = gadgetWindow(gadget);
        if (list == nullptr) {
            continue;
        }
        const int width = longestEntryWidth(list) + scaledToDpi(entryMargins, dpi) +
                          2 * systemMetricForDpi(SM_CXBORDER, dpi) + systemMetricForDpi(SM_CXVSCROLL, dpi);
        // Wine keeps a width narrower than the one set before: the list
        // first opens as wide as its box again.
        SendMessageW(list, CB_SETDROPPEDWIDTH, 1, 0);
        SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
    }
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
    const InterfaceTexts& texts = interfaceTextsInUse();
    fillDropDownList(gadgets::modalityList, texts.modalityNames);
    fillDropDownList(gadgets::buttonSetList, texts.buttonSetNames);
    fillDropDownList(gadgets::defaultButtonList, texts.defaultButtonNames);
    fitOpenedLists(mainWindow().dpi);
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
    connectIde(mainWindow());
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
    fitOpenedLists(dpi);
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
        UnregisterClassW(wideFromUtf8(mainWindowClassName).c_str(), programInstance());
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
