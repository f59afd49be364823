// The icon list (gadget 3): its column, its two image lists, its entries and
// the handler that turns its notifications into posted gadget events.
#pragma once

#include <windows.h>

#include <optional>

void insertIconListColumn(HWND list);
// Switches the list to large icons, inserts the five entries with their
// icons and spacing at the DPI, selects entry 0.
void fillIconList(HWND list, UINT dpi);
void selectIconListEntry(HWND list, int entry);
// Makes the list's images anew at another DPI.
void rescaleIconList(HWND list, UINT dpi);
std::optional<LRESULT> iconListNotification(WPARAM wParam, LPARAM lParam) noexcept;
void destroyIconImages();
