#include "title_field.h"

#include "events.h"
#include "gadgets.h"

namespace {

WNDPROC editProcedure = nullptr;

LRESULT CALLBACK titleFieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        postGadgetReport(gadgets::titleField, eventTypes::focusGained);
        break;
    case WM_KILLFOCUS:
        postGadgetReport(gadgets::titleField, eventTypes::focusLost);
        break;
    default:
        break;
    }
    return CallWindowProcA(editProcedure, field, message, wParam, lParam);
}

}  // namespace

void subclassTitleField(HWND field) {
    editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(titleFieldProcedure)));
}
