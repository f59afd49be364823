#include "event_loop.h"

#include <exception>

#include "actions.h"
#include "events.h"
#include "gadgets.h"
#include "main_window.h"

namespace {

// A key of the accelerator table becomes its command; every other message goes
// to its window.
void translateOrDispatch(MSG& message) {
    const HWND window = mainWindowHandle();
    const bool translated = window != nullptr && GetActiveWindow() == window &&
                            TranslateAcceleratorW(window, mainWindowAccelerators(), &message) != 0;
    if (!translated) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void startAction(std::int32_t gadget) {
    switch (gadget) {
    case gadgets::testButton:
        runTestAction();
        break;
    case gadgets::copyButton:
        runCopyAction();
        break;
    case gadgets::insertButton:
        runInsertAction();
        break;
    case gadgets::linkLabel:
        openAuthorsWebPage();
        break;
    default:
        break;
    }
}

// An action that fails, out of memory or in a container operation, is
// dropped; the loop goes on.
void runGadgetAction(std::int32_t gadget) {
    try {
        startAction(gadget);
    } catch (const std::exception&) {
    }
}

}  // namespace

std::int32_t waitEvent() {
    EventState& state = eventState();
    state.eventType = -1;
    if (!state.deferredEvents.empty()) {
        const std::int32_t code = state.deferredEvents.front();
        state.deferredEvents.pop_front();
        state.pendingCode = 0;
        return code;
    }
    MSG message{};
    GetMessageW(&message, nullptr, 0, 0);
    translateOrDispatch(message);
    if (state.pendingCode != 0) {
        const std::int32_t code = state.pendingCode;
        state.pendingCode = 0;
        return code;
    }
    state.wParam = message.wParam;
    state.lParam = message.lParam;
    return static_cast<std::int32_t>(message.message);
}

void runEventLoop() {
    std::int32_t lastGadget = 0;
    for (;;) {
        const std::int32_t lastEvent = waitEvent();
        if (lastEvent == events::keyDown && eventState().wParam == VK_RETURN && lastGadget == gadgets::titleField) {
            focusGadget(gadgets::editor);
        }
        if (lastEvent == events::gadget) {
            lastGadget = eventState().gadget;
            runGadgetAction(lastGadget);
        }
        if (lastEvent == events::close) {
            return;
        }
    }
}
