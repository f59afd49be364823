#include "gadgets.h"

#include <map>

namespace {

struct GadgetRecord {
    HWND window = nullptr;
    NotificationHandler handler = nullptr;
};

std::map<int, GadgetRecord>& gadgetRecords() {
    static std::map<int, GadgetRecord> records;
    return records;
}

struct Container {
    HWND window = nullptr;
    HFONT font = nullptr;
};

Container& container() {
    static Container parent;
    return parent;
}

}  // namespace

void setGadgetContainer(HWND parent, HFONT font) {
    container() = Container{parent, font};
}

HWND gadgetContainer() {
    return container().window;
}

HFONT gadgetFont() {
    return container().font;
}

void registerControl(HWND control, int identifier) {
    SetWindowLongPtrW(control, GWLP_ID, identifier);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(gadgetFont()), TRUE);
}

void registerGadget(int gadget, HWND control, NotificationHandler handler) {
    gadgetRecords()[gadget] = GadgetRecord{control, handler};
    registerControl(control, gadget);
}

HWND gadgetWindow(int gadget) {
    const auto found = gadgetRecords().find(gadget);
    return found == gadgetRecords().end() ? nullptr : found->second.window;
}

NotificationHandler gadgetNotificationHandler(HWND control) noexcept {
    for (const auto& [gadget, record] : gadgetRecords()) {
        if (record.window == control) {
            return record.handler;
        }
    }
    return nullptr;
}

void focusGadget(int gadget) {
    const HWND control = gadgetWindow(gadget);
    if (control != nullptr) {
        SetFocus(control);
    }
}

void forgetGadgets() {
    gadgetRecords().clear();
    container() = Container{};
}
