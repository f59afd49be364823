#include "icon_list.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display_scale.h"
#include "events.h"
#include "gadgets.h"
#include "interface_language.h"
#include "message_box_options.h"
#include "utf8.h"

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

// A black square masked by black, of the list's size: index 0, which shows
// no picture.
void addTransparentSquare(HIMAGELIST list) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP square = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(memory, square);
    const RECT area{0, 0, width, height};
    FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(memory, previous);
    ImageList_AddMasked(list, square, RGB(0, 0, 0));
    DeleteObject(square);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

HIMAGELIST createImageList(int widthMetric, int heightMetric, UINT dpi) {
    const HIMAGELIST list = ImageList_Create(systemMetricForDpi(widthMetric, dpi),
                                             systemMetricForDpi(heightMetric, dpi), imageListFlags, 1, 1);
    addTransparentSquare(list);
    return list;
}

void createImageLists(HWND list, UINT dpi) {
    IconImages& images = iconImages();
    images.small = createImageList(SM_CXSMICON, SM_CYSMICON, dpi);
    images.large = createImageList(SM_CXICON, SM_CYICON, dpi);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.small));
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images.large));
}

// The image index of an icon, adding it to both lists on its first use.
int imageIndexOf(HWND list, HICON icon, UINT dpi) {
    IconImages& images = iconImages();
    if (images.large == nullptr) {
        createImageLists(list, dpi);
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

// The system icons of the entries at the large icon size of the DPI: the
// system's shared ones at its own DPI, icons of their own at another.
struct SystemIcons {
    std::array<HICON, systemIcons.size()> icons{};
    bool owned = false;
};

SystemIcons loadSystemIcons(UINT dpi) {
    SystemIcons loaded;
    loaded.owned = dpi != systemDpi();
    const int width = systemMetricForDpi(SM_CXICON, dpi);
    const int height = systemMetricForDpi(SM_CYICON, dpi);
    for (std::size_t entry = 0; entry < systemIcons.size(); ++entry) {
        if (systemIcons[entry] == 0) {
            continue;
        }
        const auto* const name = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(systemIcons[entry]));
        loaded.icons[entry] = loaded.owned ? loadIconAtSize(nullptr, name, width, height) : LoadIconW(nullptr, name);
    }
    return loaded;
}

// The image lists keep copies; icons of their own are destroyed once all are
// added, so that no handle is used again for another icon meanwhile.
void releaseSystemIcons(const SystemIcons& loaded) {
    if (!loaded.owned) {
        return;
    }
    for (const HICON icon : loaded.icons) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

void destroyImageLists(const IconImages& images) {
    if (images.small != nullptr) {
        ImageList_Destroy(images.small);
    }
    if (images.large != nullptr) {
        ImageList_Destroy(images.large);
    }
}

// The entries' spacing follows the icon size: the list's default at the
// system's DPI (all bits set asks for it), the system's spacing metrics for
// another.
void arrangeForIconSize(HWND list, UINT dpi) {
    constexpr LPARAM defaultSpacing = -1;
    const LPARAM spacing = dpi == systemDpi() ? defaultSpacing
                                              : MAKELPARAM(systemMetricForDpi(SM_CXICONSPACING, dpi),
                                                           systemMetricForDpi(SM_CYICONSPACING, dpi));
    SendMessageW(list, LVM_SETICONSPACING, 0, spacing);
    SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0);
}

void switchToLargeIcons(HWND list) {
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    SetWindowLongPtrW(list, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | LVS_ICON);
    RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW);
}

void insertEntry(HWND list, int position, std::string_view caption, HICON icon, UINT dpi) {
    std::wstring wideCaption = wideFromUtf8(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = position;
    item.pszText = wideCaption.data();
    if (icon != nullptr) {
        item.mask |= LVIF_IMAGE;
        item.iImage = imageIndexOf(list, icon, dpi);
    }
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
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
    std::wstring caption = wideFromUtf8(interfaceTextsInUse().iconLabel);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = columnWidth;
    column.pszText = caption.data();
    column.iSubItem = 0;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void fillIconList(HWND list, UINT dpi) {
    switchToLargeIcons(list);
    const SystemIcons loaded = loadSystemIcons(dpi);
    const InterfaceTexts& texts = interfaceTextsInUse();
    for (std::size_t entry = 0; entry < iconTable.size(); ++entry) {
        insertEntry(list, static_cast<int>(entry), texts.iconNames[entry], loaded.icons[entry], dpi);
    }
    releaseSystemIcons(loaded);
    arrangeForIconSize(list, dpi);
    selectIconListEntry(list, 0);
}

void rescaleIconList(HWND list, UINT dpi) {
    IconImages previous = std::move(iconImages());
    iconImages() = IconImages{};
    if (previous.large == nullptr) {
        return;
    }
    createImageLists(list, dpi);
    const SystemIcons loaded = loadSystemIcons(dpi);
    for (const HICON icon : loaded.icons) {
        if (icon != nullptr) {
            imageIndexOf(list, icon, dpi);
        }
    }
    releaseSystemIcons(loaded);
    destroyImageLists(previous);
    arrangeForIconSize(list, dpi);
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
    destroyImageLists(images);
    images = IconImages{};
    reportedSelection() = nothingReported;
}

void selectIconListEntry(HWND list, int entry) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
}
