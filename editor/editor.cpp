#include "editor.h"

#include "startup.h"

namespace {

constexpr const wchar_t* editorClassName = L"Scintilla";
constexpr WPARAM overrideOn = 1;

}  // namespace

HWND createEditor(int gadget, int x, int y, int width, int height, NotificationHandler handler) {
    // A Unicode window: typed letters reach the UTF-8 document whatever the
    // system's code page.
    const HWND editor = CreateWindowExW(WS_EX_CLIENTEDGE, editorClassName, L"", WS_CHILD | WS_VISIBLE, x, y, width,
                                        height, gadgetContainer(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)),
                                        programInstance(), nullptr);
    if (editor != nullptr) {
        registerGadget(gadget, editor, handler);
    }
    return editor;
}

int configureEditor(int gadget) {
    // Set on purpose: a library of another default would read every letter
    // outside ASCII as bytes of the system's code page.
    sendEditorMessage(gadget, sci::setCodePage, static_cast<WPARAM>(sci::utf8CodePage));
    sendEditorMessage(gadget, sci::setViewWhitespace, sci::whitespaceVisibleAlways);
    sendEditorMessage(gadget, sci::setWhitespaceFore, overrideOn, editorLook::whitespaceColour);
    sendEditorMessage(gadget, sci::setSelectionFore, overrideOn, editorLook::selectionTextColour);
    sendEditorMessage(gadget, sci::setSelectionBack, overrideOn, editorLook::selectionBackColour);
    sendEditorMessage(gadget, sci::setCaretFore, editorLook::caretColour);
    sendEditorMessage(gadget, sci::setCaretWidth, editorLook::caretWidth);
    for (int margin = 0; margin < editorLook::marginCount; ++margin) {
        sendEditorMessage(gadget, sci::setMarginWidthN, static_cast<WPARAM>(margin), 0);
    }
    return 0;
}

void scaleEditor(int gadget, UINT dpi) {
    const int width = MulDiv(static_cast<int>(editorLook::caretWidth), static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    sendEditorMessage(gadget, sci::setCaretWidth, static_cast<WPARAM>(width));
}

LRESULT sendEditorMessage(int gadget, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND editor = gadgetWindow(gadget);
    if (editor == nullptr) {
        return 0;
    }
    return SendMessageW(editor, message, wParam, lParam);
}

std::optional<LRESULT> editorNotification(WPARAM, LPARAM) noexcept {
    return 0;
}
