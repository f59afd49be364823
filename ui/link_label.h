// A line of static text that behaves like a hyperlink: hand cursor, hover
// colour while it holds the mouse capture, and a posted click per release.
#pragma once

#include <windows.h>

#include <string_view>

// text is UTF-8. Null when the platform refuses the window.
HWND createLinkLabel(int gadget, int x, int y, int width, int height, std::string_view text, COLORREF hoverColour);

// The label asks the system whether high contrast is on; a test, under a Wine
// that cannot switch it, gives an answer of its own (nullptr: the system's).
void replaceHighContrastQuery(bool (*query)());
