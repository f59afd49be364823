#include "control_font.h"

#include "display_scale.h"

namespace {

HFONT stockFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

HFONT createFontAtDpi(LOGFONTW face, UINT dpi) {
    const int standardHeight = MulDiv(face.lfHeight, static_cast<int>(standardDpi), static_cast<int>(systemDpi()));
    face.lfHeight = scaledToDpi(standardHeight, dpi);
    face.lfWidth = 0;
    return CreateFontIndirectW(&face);
}

HFONT createControlFont(UINT dpi) {
    LOGFONTW face{};
    if (dpi == systemDpi() || GetObjectW(stockFont(), sizeof(face), &face) == 0) {
        return stockFont();
    }
    const HFONT font = createFontAtDpi(face, dpi);
    return font != nullptr ? font : stockFont();
}

void deleteControlFont(HFONT font) {
    if (font != nullptr && font != stockFont()) {
        DeleteObject(font);
    }
}
