// The window's figures are drawn for 96 DPI and shown at the DPI of the
// display the window is on. The DPI functions that older Windows lacks are
// taken at run time; without them the system's DPI serves.
#pragma once

#include <windows.h>

inline constexpr UINT standardDpi = USER_DEFAULT_SCREEN_DPI;

// The DPI functions of Windows 10 1607 on, each null where the running
// Windows lacks it, as Windows 7 and 8.1 lack all three.
struct LaterDpiFunctions {
    UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
    int(WINAPI* systemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};
// The ones in use: those the running Windows has, taken at the first call;
// tests replace them to run the paths of older Windows.
LaterDpiFunctions& laterDpiFunctions();

// The DPI of the screen as this process sees it.
UINT systemDpi();
// The DPI of the display the window is on (Windows 10 1607 on), or else the
// system's.
UINT windowDpi(HWND window);
// A figure drawn for 96 DPI at dpi, rounded as MulDiv rounds.
int scaledToDpi(int figure, UINT dpi);
// A system metric at dpi: the system's own at its DPI; at another, the
// metric for that DPI (Windows 10 1607 on) or else the system's scaled.
int systemMetricForDpi(int metric, UINT dpi);
// Grows a client rectangle to the outer rectangle of a window of this style,
// without menu, with the frame of dpi.
void adjustWindowRectangleForDpi(RECT& rectangle, DWORD style, UINT dpi);
// An icon resource (module nullptr: a system icon) at a size, scaled down
// from a larger image where it has none of that size; the caller destroys it.
HICON loadIconAtSize(HINSTANCE module, const wchar_t* name, int width, int height);
