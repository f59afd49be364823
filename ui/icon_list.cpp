#include "icon_list.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "events.h"
#include "gadgets.h"
#include "message_box_options.h"
#include "windows1251.h"

namespace {

constexpr int columnWidth = 200;
constexpr UINT imageListFlags = ILC_COLOR32 | ILC_MASK;
// The system icon of each entry of the icon table; 0 for none.
constexpr std::array<WORD, 5> systemIcons = {0, 32513, 32514, 32515, 32516};

// The list reports a lost selection once; it remembers the entry it reported
// last, no entry, or nothing yet.
constexpr int nothingReported = -2;
constexpr int noEntry = -1;

struct IconImages {
    HIMAGELIST small = nullptr;
    HIMAGELIST large = nullptr;
    std::vector<std::pair<HICON, int>> added;  // icons already in the lists, with their index
};

IconImages& iconImages() {
    static IconImages images;
    return images;
}

int& reportedSelection() {
    static int entry = nothingReported;
    return entry;
}

// A black square masked by black: index 0, which shows no picture.
void addTransparentSquare(HIMAGELIST list, int size) {
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP square = CreateCompatibleBitmap(screen, size, size);
    const HGDIOBJ previous = SelectObject(memory, square);
    const RECT area{0, 0, size, size};
    FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(memory, previous);
    ImageList_AddMasked(list, square, RGB(0, 0, 0));
    DeleteObject(square);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void createImageLists(HWND list) {
    IconImages& images = iconImages();
    images.small = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), imageListFlags, 1, 1);
    images.large = ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), imageListFlags, 1, 1);
    addTransparentSquare(images.small, 16);
    addTransparentSquare(images.large, 32);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.small));
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images.large));
}

// The image index of an icon, adding it to both lists on its first use.
int imageIndexOf(HWND list, HICON icon) {
    IconImages& images = iconImages();
    if (images.large == nullptr) {
        createImageLists(list);
    }
    for (const auto& [known, index] : images.added) {
        if (known == icon) {
            return index;
        }
    }
    ImageList_ReplaceIcon(images.small, -1, icon);
    const int index = ImageList_ReplaceIcon(images.large, -1, icon);
    images.added.emplace_back(icon, index);
    return index;
}

HICON loadSystemIcon(WORD identifier) {
    if (identifier == 0) {
        return nullptr;
    }
    return LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(identifier)));
}

void switchToLargeIcons(HWND list) {
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    SetWindowLongPtrW(list, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | LVS_ICON);
    RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW);
}

void insertEntry(HWND list, int position, std::string_view caption, HICON icon) {
    std::wstring wideCaption = wideFromWindows1251(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = position;
    item.pszText = wideCaption.data();
    if (icon != nullptr) {
        item.mask |= LVIF_IMAGE;
        item.iImage = imageIndexOf(list, icon);
    }
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void selectFirstEntry(HWND list) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
}

// On a click that finds no entry selected, report the change once.
void reportLostSelection(HWND list) {
    const LRESULT selected = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (selected == -1 && reportedSelection() != noEntry) {
        reportedSelection() = noEntry;
        postGadgetReport(gadgets::iconList, eventTypes::change);
    }
}

void reportClick(HWND list, std::int32_t eventType) {
    reportLostSelection(list);
    postGadgetReport(gadgets::iconList, eventType);
}

void reportItemChange(const NMLISTVIEW& change) {
    if ((change.uNewState & LVIS_SELECTED) != 0) {
        reportedSelection() = change.iItem;
        postGadgetReport(gadgets::iconList, eventTypes::change);
    }
}

}  // namespace

void insertIconListColumn(HWND list) {
    std::wstring caption = wideFromWindows1251(iconListCaption.view());
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = columnWidth;
    column.pszText = caption.data();
    column.iSubItem = 0;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void fillIconList(HWND list) {
    switchToLargeIcons(list);
    for (std::size_t entry = 0; entry < iconTable.size(); ++entry) {
        const HICON icon = loadSystemIcon(systemIcons[entry]);
        insertEntry(list, static_cast<int>(entry), iconTable[entry].caption, icon);
    }
    selectFirstEntry(list);
}

std::optional<LRESULT> iconListNotification(WPARAM, LPARAM lParam) noexcept {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
    case NM_CLICK:
        reportClick(header->hwndFrom, eventTypes::leftClick);
        return 0;
    case NM_RCLICK:
        reportClick(header->hwndFrom, eventTypes::rightClick);
        return 0;
    case NM_DBLCLK:
        postGadgetReport(gadgets::iconList, eventTypes::leftDoubleClick);
        return 0;
    case NM_RDBLCLK:
        postGadgetReport(gadgets::iconList, eventTypes::rightDoubleClick);
        return 0;
    case LVN_ITEMCHANGED:
        reportItemChange(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return 0;
    case LVN_BEGINDRAG:
        postGadgetReport(gadgets::iconList, eventTypes::dragStart);
        return 0;
    case NM_CUSTOMDRAW:
        return CDRF_DODEFAULT;
    default:
        return std::nullopt;
    }
}

void destroyIconImages() {
    IconImages& images = iconImages();
    if (images.small != nullptr) {
        ImageList_Destroy(images.small);
    }
    if (images.large != nullptr) {
        ImageList_Destroy(images.large);
    }
    images = IconImages{};
    reportedSelection() = nothingReported;
}
