#include "control_font.h"

#include "display_scale.h"

namespace {

HFONT stockFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

HFONT createControlFont(UINT dpi) {
    const UINT screenDpi = systemDpi();
    LOGFONTW face{};
    if (dpi == screenDpi || GetObjectW(stockFont(), sizeof(face), &face) == 0) {
        return stockFont();
    }
    const int standardHeight = MulDiv(face.lfHeight, static_cast<int>(standardDpi), static_cast<int>(screenDpi));
    face.lfHeight = scaledToDpi(standardHeight, dpi);
    face.lfWidth = 0;
    const HFONT font = CreateFontIndirectW(&face);
    return font != nullptr ? font : stockFont();
}

void deleteControlFont(HFONT font) {
    if (font != nullptr && font != stockFont()) {
        DeleteObject(font);
    }
}
