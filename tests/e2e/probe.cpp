// The end-to-end suite's eyes inside the Wine session: reads what a person
// could see or paste (the clipboard's bytes, the message boxes, the main
// window's controls, the process's memory) and answers one line of JSON per
// command. Commands come from the command line, or one per line on standard
// input when there is none, so that one process serves a whole test.
// Texts travel as hexadecimal bytes: what a window shows is read as UTF-16 and
// handed on as UTF-8, whatever the session's code page; the clipboard's and
// the registry's bytes are handed on unchanged.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* messageBoxClass = "#32770";
constexpr const char* mainWindowTitle = "MessageRequester";

std::string hexOf(const char* bytes, size_t length) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out.push_back(digits[byte >> 4]);
        out.push_back(digits[byte & 15]);
    }
    return out;
}

std::string bytesOfHex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return out;
}

// Adds one element to a comma-separated JSON list.
void appendItem(std::string& list, const std::string& item) {
    if (!list.empty()) {
        list += ',';
    }
    list += item;
}

std::string utf8Hex(const wchar_t* text, int length) {
    if (length <= 0) {
        return "";
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return hexOf(utf8.data(), utf8.size());
}

std::wstring wideOfUtf8(const std::string& utf8) {
    const int length = static_cast<int>(utf8.size());
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), length, wide.data(), length)));
    return wide;
}

std::string windowText(HWND window) {
    const int capacity = GetWindowTextLengthW(window) + 1;
    std::vector<wchar_t> buffer(static_cast<size_t>(capacity), L'\0');
    const int length = GetWindowTextW(window, buffer.data(), capacity);
    return utf8Hex(buffer.data(), length);
}

// An edit field of another process keeps its text to itself: GetWindowText
// answers only a caption, so the field is asked, briefly.
std::string fieldText(HWND field) {
    constexpr UINT patience = 1000;  // milliseconds
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(field, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, patience, &length)) {
        return "";
    }
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(field, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                        patience, &copied);
    return utf8Hex(buffer.data(), static_cast<int>(copied));
}

// A block of memory in another process, for the controls that answer only
// into memory of their own process.
class RemoteBlock {
public:
    RemoteBlock(DWORD process, size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process)),
          address_(process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr) {}
    ~RemoteBlock() {
        if (address_) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
        if (process_) {
            CloseHandle(process_);
        }
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool ok() const { return address_ != nullptr; }
    char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
    void write(size_t offset, const void* bytes, size_t size) const {
        WriteProcessMemory(process_, at(offset), bytes, size, nullptr);
    }
    void read(size_t offset, void* bytes, size_t size) const {
        ReadProcessMemory(process_, at(offset), bytes, size, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
};

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

constexpr int remoteTextCapacity = 256;  // characters

// The texts a control answers, one message per index, into a structure that
// names a text buffer: fill(structure, buffer address) prepares it.
template <typename Structure, typename Fill>
std::string remoteTexts(HWND control, UINT message, LRESULT count, Fill fill) {
    const RemoteBlock block(processOf(control), sizeof(Structure) + remoteTextCapacity * sizeof(wchar_t));
    std::string texts;
    for (LRESULT i = 0; i < count && block.ok(); ++i) {
        Structure structure = {};
        fill(structure, reinterpret_cast<wchar_t*>(block.at(sizeof(Structure))));
        block.write(0, &structure, sizeof structure);
        wchar_t text[remoteTextCapacity] = {};
        block.write(sizeof(Structure), text, sizeof text);
        SendMessageW(control, message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(block.at(0)));
        block.read(sizeof(Structure), text, sizeof text);
        text[remoteTextCapacity - 1] = L'\0';
        appendItem(texts, "\"" + utf8Hex(text, static_cast<int>(wcslen(text))) + "\"");
    }
    return texts;
}

std::string className(HWND window) {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

std::string rectJson(const RECT& r) {
    std::ostringstream out;
    out << "[" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "]";
    return out.str();
}

std::string screenRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return rectJson(r);
}

int controlId(HWND window) {
    return window ? static_cast<int>(GetWindowLongPtrA(window, GWLP_ID)) : 0;
}

HWND focusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> found;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND findMainWindow() {
    for (HWND window : topLevelWindows()) {
        if (className(window) == messageBoxClass) {
            continue;
        }
        char title[64] = {};
        GetWindowTextA(window, title, sizeof title);
        if (std::strcmp(title, mainWindowTitle) == 0) {
            return window;
        }
    }
    return nullptr;
}

// --- clipboard --------------------------------------------------------------

bool openClipboardPatiently() {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (OpenClipboard(nullptr)) {
            return true;
        }
        Sleep(5);
    }
    return false;
}

// A message-only window of the probe that hears of every clipboard change
// when the changing program closes the clipboard.
HWND clipboardListener() {
    static HWND window = nullptr;
    if (!window) {
        window = CreateWindowExA(0, "STATIC", "listener", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        AddClipboardFormatListener(window);
    }
    return window;
}

// Answers whether a clipboard change was reported, waiting until deadline.
bool waitClipboardUpdate(std::chrono::steady_clock::time_point deadline) {
    HWND window = clipboardListener();
    MSG message = {};
    while (std::chrono::steady_clock::now() < deadline) {
        while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
            if (message.message == WM_CLIPBOARDUPDATE) {
                return true;
            }
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

// Every byte of the open clipboard's block of format, in hex and quoted, or
// null when there is none.
std::string clipboardBlockHex(UINT format) {
    HANDLE data = GetClipboardData(format);
    const void* bytes = data ? GlobalLock(data) : nullptr;
    if (!bytes) {
        return "null";
    }
    const std::string hex = "\"" + hexOf(static_cast<const char*>(bytes), GlobalSize(data)) + "\"";
    GlobalUnlock(data);
    return hex;
}

std::string commandClip(std::istream&) {
    if (!openClipboardPatiently()) {
        return R"({"ok":0,"error":"clipboard busy"})";
    }
    std::string formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        appendItem(formats, std::to_string(format));
    }
    LCID locale = 0;
    HANDLE localeData = GetClipboardData(CF_LOCALE);
    const void* localeBytes = localeData ? GlobalLock(localeData) : nullptr;
    if (localeBytes) {
        std::memcpy(&locale, localeBytes, sizeof locale);
        GlobalUnlock(localeData);
    }
    const std::string text = clipboardBlockHex(CF_TEXT);
    const std::string unicode = clipboardBlockHex(CF_UNICODETEXT);
    CloseClipboard();
    return R"({"ok":1,"seq":)" + std::to_string(GetClipboardSequenceNumber()) + R"(,"formats":[)" + formats +
           R"(],"locale":)" + std::to_string(locale) + R"(,"text":)" + text + R"(,"unicode":)" + unicode + "}";
}

HGLOBAL globalCopy(const void* bytes, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory) {
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
    }
    return memory;
}

// Places the bytes and one NUL as CF_TEXT; with withUnicode also their UTF-16
// form read as Windows-1251, as a Unicode program copying the same Russian text
// would on any system.
bool placeText(const std::string& bytes, bool withUnicode) {
    if (!openClipboardPatiently()) {
        return false;
    }
    EmptyClipboard();
    HGLOBAL memory = globalCopy(bytes.c_str(), bytes.size() + 1);
    bool placed = memory && SetClipboardData(CF_TEXT, memory);
    if (withUnicode && placed) {
        const int length = static_cast<int>(bytes.size()) + 1;
        std::vector<wchar_t> wide(bytes.size() + 1, L'\0');
        constexpr UINT windows1251 = 1251;
        MultiByteToWideChar(windows1251, 0, bytes.c_str(), length, wide.data(), length);
        HGLOBAL unicode = globalCopy(wide.data(), wide.size() * sizeof(wchar_t));
        placed = unicode && SetClipboardData(CF_UNICODETEXT, unicode);
    }
    CloseClipboard();
    return placed;
}

std::string readFile(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return bytes;
    }
    char chunk[65536] = {};
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
    }
    std::fclose(file);
    return bytes;
}

std::string commandClipSet(std::istream& args) {
    std::string path;
    args >> path;
    const bool placed = placeText(readFile(path), true);
    return std::string(R"({"ok":)") + (placed ? "1" : "0") + "}";
}

// Baseline of the copy figure: a bare clipboard set of the same bytes, from
// the start until the probe, listening, hears of the change.
std::string commandClipBench(std::istream& args) {
    std::string path;
    args >> path;
    const std::string bytes = readFile(path);
    if (!clipboardListener()) {
        return R"({"ok":0,"error":"no clipboard listener"})";
    }
    while (waitClipboardUpdate(std::chrono::steady_clock::now() + std::chrono::milliseconds(200))) {
    }
    // Timed like the copy figure: until the report of the change arrives.
    const auto start = std::chrono::steady_clock::now();
    const bool placed = placeText(bytes, false) &&
                        waitClipboardUpdate(std::chrono::steady_clock::now() + std::chrono::seconds(10));
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return std::string(R"({"ok":)") + (placed ? "1" : "0") + R"(,"ms":)" + std::to_string(spent.count()) + "}";
}

// --- message boxes ----------------------------------------------------------

struct IconPicture {
    const char* name = "";
    WORD resource = 0;
};

constexpr IconPicture systemIcons[] = {
    {"hand", 32513},
    {"question", 32514},
    {"exclamation", 32515},
    {"asterisk", 32516},
};

constexpr int iconSide = 32;

// The pixels of an icon drawn on a given background, read back as 0x00RRGGBB.
std::vector<COLORREF> drawnIcon(HICON icon, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, iconSide, iconSide);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, iconSide, iconSide};
    FillRect(memory, &all, brush);
    DrawIconEx(memory, 0, 0, icon, iconSide, iconSide, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < iconSide; ++y) {
        for (int x = 0; x < iconSide; ++x) {
            pixels.push_back(GetPixel(memory, x, y));
        }
    }
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<COLORREF> screenPixels(const RECT& where) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, iconSide, iconSide);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, iconSide, iconSide, screen, where.left, where.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < iconSide; ++y) {
        for (int x = 0; x < iconSide; ++x) {
            pixels.push_back(GetPixel(memory, x, y));
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Names the system icon that the box shows by comparing the screen with each
// icon's opaque pixels, as a person would recognise the picture.
std::string recogniseIcon(HWND iconControl) {
    RECT where = {};
    GetWindowRect(iconControl, &where);
    const std::vector<COLORREF> seen = screenPixels(where);
    std::string best = "unknown";
    double bestShare = 0.0;
    for (const IconPicture& picture : systemIcons) {
        HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(picture.resource));
        const std::vector<COLORREF> onBlack = drawnIcon(icon, RGB(0, 0, 0));
        const std::vector<COLORREF> onWhite = drawnIcon(icon, RGB(255, 255, 255));
        int opaque = 0;
        int matching = 0;
        for (size_t i = 0; i < seen.size(); ++i) {
            if (onBlack[i] == onWhite[i]) {
                ++opaque;
                matching += onBlack[i] == seen[i] ? 1 : 0;
            }
        }
        const double share = opaque > 0 ? static_cast<double>(matching) / opaque : 0.0;
        if (share > bestShare) {
            bestShare = share;
            best = picture.name;
        }
    }
    return bestShare > 0.9 ? best : "unknown";
}

bool isVisibleIcon(HWND child) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    return className(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child);
}

std::string describeBox(HWND box) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    std::string icon = "none";
    std::string text;
    std::string buttons;
    for (HWND child : childWindows(box)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const std::string kind = className(child);
        if (isVisibleIcon(child)) {
            icon = SendMessageA(child, STM_GETICON, 0, 0) ? recogniseIcon(child) : "none";
        } else if (kind == "Static") {
            text = windowText(child);
        } else if (kind == "Button") {
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            appendItem(buttons, R"({"id":)" + std::to_string(controlId(child)) +
                       R"(,"text":")" + windowText(child) + R"(","default":)" + (isDefault ? "1" : "0") +
                       R"(,"rect":)" + screenRect(child) + "}");
        }
    }
    const HWND focus = focusOf(box);
    const bool topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return R"({"hwnd":)" + std::to_string(reinterpret_cast<uintptr_t>(box)) + R"(,"pid":)" + std::to_string(process) +
           R"(,"topmost":)" + (topmost ? "1" : "0") +
           R"(,"caption":")" + windowText(box) + R"(","text":")" + text + R"(","icon":")" + icon +
           R"(","buttons":[)" + buttons + R"(],"focus":)" + std::to_string(GetParent(focus) == box ? controlId(focus) : 0) +
           R"(,"rect":)" + screenRect(box) + "}";
}

std::string commandBoxes(std::istream&) {
    std::string boxes;
    for (HWND window : topLevelWindows()) {
        if (className(window) == messageBoxClass && IsWindowVisible(window)) {
            appendItem(boxes, describeBox(window));
        }
    }
    return R"({"ok":1,"boxes":[)" + boxes + "]}";
}

// --- main window ------------------------------------------------------------

// The entries of a drop-down list as UTF-8; the platform carries the text
// across the processes.
std::string comboEntries(HWND list) {
    std::string entries;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto entry = static_cast<WPARAM>(i);
        std::vector<wchar_t> text(static_cast<size_t>(SendMessageW(list, CB_GETLBTEXTLEN, entry, 0)) + 1, L'\0');
        const LRESULT length = SendMessageW(list, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text.data()));
        appendItem(entries, "\"" + utf8Hex(text.data(), static_cast<int>(length)) + "\"");
    }
    return entries;
}

std::string listViewEntries(HWND list) {
    const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    return remoteTexts<LVITEMW>(list, LVM_GETITEMTEXTW, count, [](LVITEMW& item, wchar_t* buffer) {
        item.pszText = buffer;
        item.cchTextMax = remoteTextCapacity;
    });
}

// The hints of the program's tooltip control, in the order of its tools.
std::string toolTipTexts(DWORD process) {
    for (HWND window : topLevelWindows()) {
        if (className(window) == TOOLTIPS_CLASSA && processOf(window) == process) {
            const LRESULT count = SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0);
            return remoteTexts<TTTOOLINFOW>(window, TTM_ENUMTOOLSW, count, [](TTTOOLINFOW& tool, wchar_t* buffer) {
                tool.cbSize = TTTOOLINFOW_V1_SIZE;
                tool.lpszText = buffer;
            });
        }
    }
    return "";
}

std::string describeControl(HWND child) {
    const std::string kind = className(child);
    std::string extra;
    if (kind == "ComboBox") {
        extra = R"(,"selected":)" + std::to_string(SendMessageA(child, CB_GETCURSEL, 0, 0)) + R"(,"dropped":)" +
                std::to_string(SendMessageA(child, CB_GETDROPPEDSTATE, 0, 0)) + R"(,"entries":[)" +
                comboEntries(child) + "]";
    } else if (kind == "SysListView32") {
        extra = R"(,"selected":)" + std::to_string(SendMessageA(child, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                                 LVNI_SELECTED)) +
                R"(,"count":)" + std::to_string(SendMessageA(child, LVM_GETITEMCOUNT, 0, 0)) + R"(,"entries":[)" +
                listViewEntries(child) + "]";
    }
    return R"({"id":)" + std::to_string(controlId(child)) + R"(,"class":")" + kind + R"(","text":")" +
           (kind == "Edit" ? fieldText(child) : windowText(child)) + R"(","visible":)" + (IsWindowVisible(child) ? "1" : "0") + R"(,"enabled":)" +
           (IsWindowEnabled(child) ? "1" : "0") + R"(,"rect":)" + screenRect(child) + extra + "}";
}

// The opened list of a drop-down list is a top-level window of its own.
std::string openedLists() {
    std::string lists;
    for (HWND window : topLevelWindows()) {
        if (className(window) == "ComboLBox" && IsWindowVisible(window)) {
            appendItem(lists, R"({"rect":)" + screenRect(window) + R"(,"itemHeight":)" +
                     std::to_string(SendMessageA(window, LB_GETITEMHEIGHT, 0, 0)) + R"(,"top":)" +
                     std::to_string(SendMessageA(window, LB_GETTOPINDEX, 0, 0)) + "}");
        }
    }
    return lists;
}

std::string commandMain(std::istream&) {
    HWND window = findMainWindow();
    if (!window) {
        return R"({"ok":1,"found":0,"lists":[)" + openedLists() + "]}";
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&client, origin.x, origin.y);
    std::string controls;
    for (HWND child : childWindows(window)) {
        appendItem(controls, describeControl(child));
    }
    const HWND focus = focusOf(window);
    const bool foreground = GetForegroundWindow() == window;
    const std::string toolTips = toolTipTexts(process);
    return R"({"ok":1,"found":1,"foreground":)" + std::string(foreground ? "1" : "0") + R"(,"hwnd":)" + std::to_string(reinterpret_cast<uintptr_t>(window)) + R"(,"pid":)" +
           std::to_string(process) + R"(,"visible":)" + (IsWindowVisible(window) ? "1" : "0") + R"(,"enabled":)" +
           (IsWindowEnabled(window) ? "1" : "0") + R"(,"rect":)" + screenRect(window) + R"(,"client":)" +
           rectJson(client) + R"(,"toolTips":[)" + toolTips + R"(],"focus":)" + std::to_string(controlId(focus)) + R"(,"focusClass":")" +
           (focus ? className(focus) : "") + R"(","controls":[)" + controls + R"(],"lists":[)" + openedLists() + "]}";
}

// Screen rectangles of the icon list's entries; the list view answers only
// into memory of its own process.
std::string commandItems(std::istream&) {
    HWND window = findMainWindow();
    HWND list = window ? GetDlgItem(window, 3) : nullptr;
    if (!list) {
        return R"({"ok":0,"error":"no icon list"})";
    }
    const RemoteBlock block(processOf(list), sizeof(RECT));
    if (!block.ok()) {
        return R"({"ok":0,"error":"cannot open process"})";
    }
    const LRESULT count = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    std::string items;
    for (LRESULT i = 0; i < count; ++i) {
        RECT r = {};
        r.left = LVIR_BOUNDS;
        block.write(0, &r, sizeof r);
        SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(block.at(0)));
        block.read(0, &r, sizeof r);
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
        appendItem(items, rectJson(r));
    }
    return R"({"ok":1,"items":[)" + items + "]}";
}

// The process's working set and private bytes, and its GDI and USER object
// counts (Wine answers 0 to these).
std::string commandMemory(std::istream& args) {
    DWORD process = 0;
    args >> process;
    HANDLE target = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    const bool known = target && GetProcessMemoryInfo(target, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                                      sizeof counters);
    const DWORD gdiObjects = target ? GetGuiResources(target, GR_GDIOBJECTS) : 0;
    const DWORD userObjects = target ? GetGuiResources(target, GR_USEROBJECTS) : 0;
    if (target) {
        CloseHandle(target);
    }
    return std::string(R"({"ok":)") + (known ? "1" : "0") + R"(,"workingSet":)" +
           std::to_string(counters.WorkingSetSize) + R"(,"private":)" + std::to_string(counters.PrivateUsage) +
           R"(,"gdiObjects":)" + std::to_string(gdiObjects) + R"(,"userObjects":)" + std::to_string(userObjects) + "}";
}

// --- registry ----------------------------------------------------------------

HKEY rootKey(const std::string& name) {
    if (name == "HKCR") {
        return HKEY_CLASSES_ROOT;
    }
    if (name == "HKLM") {
        return HKEY_LOCAL_MACHINE;
    }
    return HKEY_CURRENT_USER;
}

// Sets the default value of a key: regset ROOT SUBKEY-HEX VALUE-HEX.
std::string commandRegSet(std::istream& args) {
    std::string root;
    std::string subkey;
    std::string value;
    args >> root >> subkey >> value;
    const std::string path = bytesOfHex(subkey);
    const std::string data = bytesOfHex(value);
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(rootKey(root), path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>(data.size() + 1));
        RegCloseKey(key);
    }
    return std::string(R"({"ok":)") + (status == ERROR_SUCCESS ? "1" : "0") + "}";
}

// Removes a key with everything below it: regdel ROOT SUBKEY-HEX.
std::string commandRegDelete(std::istream& args) {
    std::string root;
    std::string subkey;
    args >> root >> subkey;
    const LONG status = RegDeleteTreeA(rootKey(root), bytesOfHex(subkey).c_str());
    const bool gone = status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    return std::string(R"({"ok":)") + (gone ? "1" : "0") + "}";
}

// --- keyboard ----------------------------------------------------------------

// Types text as key presses of its characters (UTF-8 in hex), the way an
// input method delivers letters that the keyboard map lacks.
std::string commandType(std::istream& args) {
    std::string hex;
    args >> hex;
    const std::string utf8 = bytesOfHex(hex);
    const int length = static_cast<int>(utf8.size());
    std::vector<wchar_t> wide(utf8.size() + 1, L'\0');
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), length, wide.data(), length + 1);
    std::vector<INPUT> inputs;
    for (int i = 0; i < count; ++i) {
        for (DWORD flags : {DWORD{KEYEVENTF_UNICODE}, DWORD{KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(wide[static_cast<size_t>(i)]);
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        }
    }
    const UINT sent = inputs.empty() ? 0 : SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return std::string(R"({"ok":)") + (sent == inputs.size() ? "1" : "0") + "}";
}

// Presses a chord of virtual keys given as decimal numbers joined by "+":
// each goes down in order and comes up in reverse order.
std::string commandKey(std::istream& args) {
    std::string chord;
    args >> chord;
    std::vector<WORD> keys;
    std::istringstream parts(chord);
    std::string part;
    while (std::getline(parts, part, '+')) {
        keys.push_back(static_cast<WORD>(std::stoi(part)));
    }
    std::vector<INPUT> inputs;
    for (size_t i = 0; i < keys.size() * 2; ++i) {
        const bool down = i < keys.size();
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = down ? keys[i] : keys[keys.size() * 2 - 1 - i];
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(input.ki.wVk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    const UINT sent = inputs.empty() ? 0 : SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return std::string(R"({"ok":)") + (sent == inputs.size() ? "1" : "0") + "}";
}

// --- figures -----------------------------------------------------------------

// Start-up figure: from process creation to a visible top-level window of
// the given class and title, then the program is closed as a person would:
// launch PROGRAM CLASS TITLE [ARGUMENT]. A launch counts only when that window
// appeared and the program then ended with exit code 0.
std::string commandLaunch(std::istream& args) {
    std::string program;
    std::string windowClass;
    std::string title;
    std::string argument;
    args >> program >> windowClass >> title >> argument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    std::string commandLine = "\"" + program + "\" " + argument;
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &created)) {
        return R"({"ok":0,"error":"cannot start"})";
    }
    HWND shown = nullptr;
    bool ended = false;
    while (!shown && !ended && std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
        HWND window = FindWindowA(windowClass.c_str(), title.c_str());
        if (window && IsWindowVisible(window)) {
            shown = window;
        } else {
            ended = WaitForSingleObject(created.hProcess, 1) == WAIT_OBJECT_0;
        }
    }
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    if (shown) {
        PostMessageA(shown, WM_CLOSE, 0, 0);
    }
    const bool closed = WaitForSingleObject(created.hProcess, 10000) == WAIT_OBJECT_0;
    if (!closed) {
        TerminateProcess(created.hProcess, 1);
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(created.hProcess, &exitCode);
    CloseHandle(created.hThread);
    CloseHandle(created.hProcess);
    const bool ok = shown && closed && exitCode == 0;
    return std::string(R"({"ok":)") + (ok ? "1" : "0") + R"(,"shown":)" + (shown ? "1" : "0") + R"(,"ms":)" +
           std::to_string(spent.count()) + R"(,"exit":)" + std::to_string(exitCode) + "}";
}

// Copy figure: copytime LENGTH empties the clipboard, posts the copy button's
// click to the main window and stops the clock at the first clipboard change
// after which the clipboard holds the action's text of LENGTH bytes and one
// NUL together with the text's locale: the platform reports a change to
// clipboard listeners when the changing program closes the clipboard, so
// this is when the copy action closed it after its last step. Reports of
// other changes (Wine's own clipboard bridge makes some) are passed over.
bool holdsCopiedText(SIZE_T length) {
    if (!openClipboardPatiently()) {
        return false;
    }
    HANDLE text = GetClipboardData(CF_TEXT);
    const bool holds = text != nullptr && GlobalSize(text) == length + 1 && IsClipboardFormatAvailable(CF_LOCALE);
    CloseClipboard();
    return holds;
}

// copytime LENGTH [TITLE]: clicks control 9 of the wizard, or of the top-level
// window of that title, and times it until the clipboard holds a CF_TEXT
// of LENGTH bytes and its NUL.
std::string commandCopyTime(std::istream& args) {
    SIZE_T length = 0;
    std::string title;
    args >> length >> title;
    HWND window = title.empty() ? findMainWindow() : FindWindowA(nullptr, title.c_str());
    HWND button = window && IsWindowVisible(window) ? GetDlgItem(window, 9) : nullptr;
    if (!button || !clipboardListener() || !openClipboardPatiently()) {
        return R"({"ok":0,"error":"no copy button or no clipboard"})";
    }
    EmptyClipboard();
    CloseClipboard();
    while (waitClipboardUpdate(std::chrono::steady_clock::now() + std::chrono::milliseconds(200))) {
    }
    const auto start = std::chrono::steady_clock::now();
    const auto limit = start + std::chrono::seconds(120);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    bool complete = false;
    std::chrono::duration<double, std::milli> spent{};
    while (!complete && waitClipboardUpdate(limit)) {
        spent = std::chrono::steady_clock::now() - start;
        complete = holdsCopiedText(length);
    }
    return std::string(R"({"ok":)") + (complete ? "1" : "0") + R"(,"ms":)" + std::to_string(spent.count()) + "}";
}

// Another program holding the clipboard while the copy button is clicked:
// holdcopy MS WAIT opens the clipboard, posts the click, keeps the clipboard
// MS milliseconds and, when WAIT is not 0, asks the main window for an answer
// (up to WAIT milliseconds) before closing it again.
std::string commandHoldCopy(std::istream& args) {
    DWORD hold = 0;
    UINT wait = 0;
    args >> hold >> wait;
    HWND window = findMainWindow();
    HWND button = window ? GetDlgItem(window, 9) : nullptr;
    // Opened for a window of the probe, as a clipboard viewer does: Wine lets
    // a second program open a clipboard that was opened without a window.
    if (!button || !clipboardListener() || !OpenClipboard(clipboardListener())) {
        return R"({"ok":0,"error":"no copy button or no clipboard"})";
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    Sleep(hold);
    DWORD_PTR result = 0;
    const bool answered =
        wait != 0 && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, wait, &result) != 0;
    CloseClipboard();
    return std::string(R"({"ok":1,"answered":)") + (answered ? "1" : "0") + "}";
}

// The editor's text length in bytes (SCI_GETTEXTLENGTH), to know when a paste
// has arrived.
std::string commandEditorLength(std::istream&) {
    constexpr UINT sciGetTextLength = 2183;
    HWND window = findMainWindow();
    HWND editor = window ? GetDlgItem(window, 2) : nullptr;
    const LRESULT length = editor ? SendMessageA(editor, sciGetTextLength, 0, 0) : -1;
    return R"({"ok":1,"length":)" + std::to_string(length) + "}";
}

// Posts the characters of a text (UTF-8 in hex) to a control of the main
// window as Unicode WM_CHAR messages, one per UTF-16 unit: chars GADGET HEX.
std::string commandChars(std::istream& args) {
    int gadget = 0;
    std::string hex;
    args >> gadget >> hex;
    HWND window = findMainWindow();
    HWND control = window ? GetDlgItem(window, gadget) : nullptr;
    bool posted = control != nullptr;
    for (const wchar_t unit : wideOfUtf8(bytesOfHex(hex))) {
        posted = posted && PostMessageW(control, WM_CHAR, unit, 1);
    }
    return std::string(R"({"ok":)") + (posted ? "1" : "0") + "}";
}

// The stand-in IDE and its editor (null when closed).
HWND findStandinIde() {
    return FindWindowW(L"StandinIde", L"Stand-in IDE");
}

// The editors' texts (UTF-8 in hex) of the stand-in IDE and of the wizard,
// and whether the IDE is in front: ide.
std::string commandIde(std::istream&) {
    const HWND ide = findStandinIde();
    const HWND ideEditor = ide ? FindWindowExW(ide, nullptr, L"Scintilla", nullptr) : nullptr;
    const HWND wizard = findMainWindow();
    const HWND wizardEditor = wizard ? GetDlgItem(wizard, 2) : nullptr;
    return R"({"ok":1,"found":)" + std::string(ide ? "1" : "0") + R"(,"editorShown":)" +
           (ideEditor && IsWindowVisible(ideEditor) ? "1" : "0") + R"(,"foreground":)" +
           (ide && GetForegroundWindow() == ide ? "1" : "0") + R"(,"text":")" +
           (ideEditor ? fieldText(ideEditor) : "") + R"(","wizardEditor":")" +
           (wizardEditor ? fieldText(wizardEditor) : "") + "\"}";
}

// Has the stand-in IDE close its editor, or hide it (1): idedrop [HIDE].
std::string commandIdeDrop(std::istream& args) {
    WPARAM hide = 0;
    args >> hide;
    const HWND ide = findStandinIde();
    return std::string(R"({"ok":)") + (ide && PostMessageW(ide, WM_APP, hide, 0) ? "1" : "0") + "}";
}

// Has the stand-in IDE select from one byte position to another, as a click
// does (idesel START END), or type an "X" at one (idetype AT).
std::string commandIdeSelect(std::istream& args) {
    WPARAM start = 0;
    LPARAM end = 0;
    args >> start >> end;
    const HWND ide = findStandinIde();
    return std::string(R"({"ok":)") + (ide && PostMessageW(ide, WM_APP + 1, start, end) ? "1" : "0") + "}";
}

std::string commandIdeType(std::istream& args) {
    WPARAM at = 0;
    args >> at;
    const HWND ide = findStandinIde();
    return std::string(R"({"ok":)") + (ide && PostMessageW(ide, WM_APP + 2, at, 0) ? "1" : "0") + "}";
}

// The session's system code page, as every program in it has it.
std::string commandCodePage(std::istream&) {
    return R"({"ok":1,"acp":)" + std::to_string(GetACP()) + "}";
}

struct Command {
    const char* name = "";
    std::string (*run)(std::istream& args) = nullptr;
};

constexpr Command commands[] = {
    {"clip", commandClip},
    {"clipset", commandClipSet},
    {"clipbench", commandClipBench},
    {"boxes", commandBoxes},
    {"main", commandMain},
    {"items", commandItems},
    {"mem", commandMemory},
    {"regset", commandRegSet},
    {"regdel", commandRegDelete},
    {"type", commandType},
    {"key", commandKey},
    {"launch", commandLaunch},
    {"editorlength", commandEditorLength},
    {"copytime", commandCopyTime},
    {"holdcopy", commandHoldCopy},
    {"chars", commandChars},
    {"codepage", commandCodePage},
    {"ide", commandIde},
    {"idedrop", commandIdeDrop},
    {"idesel", commandIdeSelect},
    {"idetype", commandIdeType},
};

std::string runCommand(const std::string& line) {
    std::istringstream args(line);
    std::string name;
    args >> name;
    for (const Command& command : commands) {
        if (name == command.name) {
            return command.run(args);
        }
    }
    return R"({"ok":0,"error":"unknown command"})";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        std::string line;
        for (int i = 1; i < argc; ++i) {
            line += std::string(i > 1 ? " " : "") + argv[i];
        }
        std::cout << runCommand(line) << std::endl;
        return 0;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line == "quit") {
            break;
        }
        std::cout << runCommand(line) << std::endl;
    }
    return 0;
}
