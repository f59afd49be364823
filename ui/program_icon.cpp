#include "program_icon.h"

#include <initializer_list>

#include "display_scale.h"

namespace {

constexpr WORD iconResource = 1;

HICON loadProgramIcon(HINSTANCE module, int widthMetric, int heightMetric, UINT dpi) {
    return loadIconAtSize(module, MAKEINTRESOURCEW(iconResource), systemMetricForDpi(widthMetric, dpi),
                          systemMetricForDpi(heightMetric, dpi));
}

}  // namespace

ProgramIcons loadProgramIcons(HINSTANCE module, UINT dpi) {
    ProgramIcons icons;
    icons.smallIcon = loadProgramIcon(module, SM_CXSMICON, SM_CYSMICON, dpi);
    icons.largeIcon = loadProgramIcon(module, SM_CXICON, SM_CYICON, dpi);
    return icons;
}

void destroyProgramIcons(const ProgramIcons& icons) {
    for (const HICON icon : {icons.smallIcon, icons.largeIcon}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}
