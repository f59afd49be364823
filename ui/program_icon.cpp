#include "program_icon.h"

#include <commctrl.h>

#include <initializer_list>

namespace {

constexpr WORD iconResource = 1;
constexpr UINT standardDpi = USER_DEFAULT_SCREEN_DPI;

using SystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// Functions that Windows 7 lacks (the first) or that only the common
// controls of version 6 export (the second) are taken at run time.
template <typename Function>
Function moduleFunction(const char* moduleName, const char* functionName) {
    const HMODULE module = GetModuleHandleA(moduleName);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, functionName)));
}

// A metric of the system's DPI as the system gives it; of another DPI from
// Windows 10 on, or else scaled from the system's.
int iconMetric(int metric, UINT dpi, UINT screenDpi) {
    if (dpi == screenDpi) {
        return GetSystemMetrics(metric);
    }
    static const auto metricForDpi = moduleFunction<SystemMetricsForDpiFunction>("user32.dll", "GetSystemMetricsForDpi");
    if (metricForDpi != nullptr) {
        return metricForDpi(metric, dpi);
    }
    return MulDiv(GetSystemMetrics(metric), static_cast<int>(dpi), static_cast<int>(screenDpi));
}

// Scaling down from a larger image where the icon has no image of the size
// looks better than LoadImage's scaling up from a smaller one.
HICON loadIconOfSize(HINSTANCE module, int width, int height) {
    static const auto scaleDown = moduleFunction<LoadIconWithScaleDownFunction>("comctl32.dll", "LoadIconWithScaleDown");
    const auto* const name = MAKEINTRESOURCEW(iconResource);
    HICON icon = nullptr;
    if (scaleDown != nullptr && SUCCEEDED(scaleDown(module, name, width, height, &icon))) {
        return icon;
    }
    return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

}  // namespace

UINT systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : standardDpi;
}

ProgramIcons loadProgramIcons(HINSTANCE module, UINT dpi) {
    const UINT screenDpi = systemDpi();
    ProgramIcons icons;
    icons.smallIcon = loadIconOfSize(module, iconMetric(SM_CXSMICON, dpi, screenDpi),
                                     iconMetric(SM_CYSMICON, dpi, screenDpi));
    icons.largeIcon =
        loadIconOfSize(module, iconMetric(SM_CXICON, dpi, screenDpi), iconMetric(SM_CYICON, dpi, screenDpi));
    return icons;
}

void destroyProgramIcons(const ProgramIcons& icons) {
    for (const HICON icon : {icons.smallIcon, icons.largeIcon}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}
