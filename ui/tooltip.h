// One shared tooltip control that gives controls a one-line hint.
#pragma once

#include <windows.h>

#include <string_view>

// Adds or replaces the hint (UTF-8) of a gadget; answers TTM_ADDTOOLW's
// result, or 0 when the gadget has no control.
LRESULT setGadgetToolTip(int gadget, std::string_view text);
// The tips' text at a DPI: the tooltip's own font, which it takes at the
// system's DPI, at its size scaled to the DPI.
void scaleToolTipFont(UINT dpi);
HWND toolTipWindow();
void destroyToolTip();
