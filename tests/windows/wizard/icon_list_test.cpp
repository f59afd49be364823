// The icon list's notifications become posted gadget events of gadget 3; a
// click that finds no entry selected reports the lost selection once.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "events.h"
#include "gadgets.h"
#include "main_window.h"
#include "wizard_window.h"

namespace {

HWND iconList() {
    return gadgetWindow(gadgets::iconList);
}

LRESULT notifyMainWindow(UINT code) {
    NMITEMACTIVATE notification{};
    notification.hdr.hwndFrom = iconList();
    notification.hdr.idFrom = gadgets::iconList;
    notification.hdr.code = code;
    notification.iItem = -1;
    return SendMessageA(mainWindowHandle(), WM_NOTIFY, gadgets::iconList, reinterpret_cast<LPARAM>(&notification));
}

// The event types that the icon list has posted, in order.
std::vector<LPARAM> takeIconListReports() {
    std::vector<LPARAM> types;
    MSG message{};
    while (PeekMessageA(&message, mainWindowHandle(), reportMessage, reportMessage, PM_REMOVE) != FALSE) {
        if (message.wParam == gadgets::iconList) {
            types.push_back(message.lParam);
        }
    }
    return types;
}

void clearSelection() {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageA(iconList(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void selectEntry(int entry) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(iconList(), LVM_SETITEMSTATE, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

using IconList = WizardWindow;

TEST_F(IconList, SelectionOfTheSetUpIsReportedAsAChange) {
    EXPECT_EQ(takeIconListReports(), std::vector<LPARAM>{eventTypes::change});
}

TEST_F(IconList, ClicksWithoutSelectionReportTheLossOnce) {
    takeIconListReports();
    clearSelection();
    EXPECT_EQ(readOptions().iconIndex, -1);
    EXPECT_EQ(notifyMainWindow(NM_CLICK), 0);
    EXPECT_EQ(notifyMainWindow(NM_RCLICK), 0);
    EXPECT_EQ(takeIconListReports(),
              (std::vector<LPARAM>{eventTypes::change, eventTypes::leftClick, eventTypes::rightClick}));

    selectEntry(3);
    EXPECT_EQ(takeIconListReports(), std::vector<LPARAM>{eventTypes::change});
    clearSelection();
    notifyMainWindow(NM_CLICK);
    EXPECT_EQ(takeIconListReports(), (std::vector<LPARAM>{eventTypes::change, eventTypes::leftClick}));
}

TEST_F(IconList, DoubleClicksAndDragsAreReported) {
    takeIconListReports();
    notifyMainWindow(NM_DBLCLK);
    notifyMainWindow(NM_RDBLCLK);
    notifyMainWindow(LVN_BEGINDRAG);
    EXPECT_EQ(takeIconListReports(), (std::vector<LPARAM>{eventTypes::leftDoubleClick, eventTypes::rightDoubleClick,
                                                          eventTypes::dragStart}));
}

TEST_F(IconList, OtherNotificationsReportNothing) {
    takeIconListReports();
    notifyMainWindow(NM_SETFOCUS);
    notifyMainWindow(NM_KILLFOCUS);
    EXPECT_TRUE(takeIconListReports().empty());
}
