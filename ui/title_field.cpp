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
    return CallWindowProcW(editProcedure, field, message, wParam, lParam);
}

}  // namespace

// The W call keeps the field a Unicode window: the A one would make it ANSI,
// and letters outside the system's code page would be lost.
void subclassTitleField(HWND field) {
    editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(titleFieldProcedure)));
}
