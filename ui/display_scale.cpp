#include "display_scale.h"

#include <commctrl.h>

#include "library_search.h"

namespace {

using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// Functions that Windows 7 lacks (user32's) or that only the common controls
// of version 6 export are taken at run time from the loaded library.
template <typename Function>
Function moduleFunction(const char* moduleName, const char* functionName) {
    return libraryFunction<Function>(GetModuleHandleA(moduleName), functionName);
}

UINT readSystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : standardDpi;
}

}  // namespace

LaterDpiFunctions& laterDpiFunctions() {
    using Functions = LaterDpiFunctions;
    static Functions functions{
        moduleFunction<decltype(Functions::dpiForWindow)>("user32.dll", "GetDpiForWindow"),
        moduleFunction<decltype(Functions::systemMetricsForDpi)>("user32.dll", "GetSystemMetricsForDpi"),
        moduleFunction<decltype(Functions::adjustWindowRectExForDpi)>("user32.dll", "AdjustWindowRectExForDpi")};
    return functions;
}

// A process keeps the system DPI it started with.
UINT systemDpi() {
    static const UINT dpi = readSystemDpi();
    return dpi;
}

UINT windowDpi(HWND window) {
    const auto dpiForWindow = laterDpiFunctions().dpiForWindow;
    const UINT dpi = dpiForWindow != nullptr && window != nullptr ? dpiForWindow(window) : 0;
    return dpi > 0 ? dpi : systemDpi();
}

int scaledToDpi(int figure, UINT dpi) {
    return MulDiv(figure, static_cast<int>(dpi), static_cast<int>(standardDpi));
}

int systemMetricForDpi(int metric, UINT dpi) {
    const UINT screenDpi = systemDpi();
    if (dpi == screenDpi) {
        return GetSystemMetrics(metric);
    }
    const auto metricForDpi = laterDpiFunctions().systemMetricsForDpi;
    if (metricForDpi != nullptr) {
        return metricForDpi(metric, dpi);
    }
    return MulDiv(GetSystemMetrics(metric), static_cast<int>(dpi), static_cast<int>(screenDpi));
}

void adjustWindowRectangleForDpi(RECT& rectangle, DWORD style, UINT dpi) {
    const auto adjustForDpi = laterDpiFunctions().adjustWindowRectExForDpi;
    if (dpi == systemDpi() || adjustForDpi == nullptr || adjustForDpi(&rectangle, style, FALSE, 0, dpi) == FALSE) {
        AdjustWindowRect(&rectangle, style, FALSE);
    }
}

// Scaling down from a larger image looks better than LoadImage's scaling up
// from a smaller one.
HICON loadIconAtSize(HINSTANCE module, const wchar_t* name, int width, int height) {
    static const auto scaleDown = moduleFunction<LoadIconWithScaleDownFunction>("comctl32.dll", "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (scaleDown != nullptr && SUCCEEDED(scaleDown(module, name, width, height, &icon))) {
        return icon;
    }
    return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}
