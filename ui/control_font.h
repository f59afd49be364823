// The font of the window's controls at the DPI of the window's display.
#pragma once

#include <windows.h>

// The stock GUI font at the system's DPI, for which the system made it; at
// another DPI a new font of its face and of its size at 100 % scaled to that
// DPI, or the stock font where none can be made.
HFONT createControlFont(UINT dpi);
// A new font of a face made for the system's DPI, at its size scaled to
// dpi; null where none can be made. The caller deletes it.
HFONT createFontAtDpi(LOGFONTW face, UINT dpi);
// Deletes a font of createControlFont; the stock font stays.
void deleteControlFont(HFONT font);
