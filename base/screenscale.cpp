// The DPI a window is drawn at and the system's sizes for it; apart from the
// rest of the platform calls so that a program that draws nothing (the
// shortcut writer) links none of it.
#include "base/platform.h"
#include "base/scale.h"

namespace {

// The screen's DPI when the system scales nothing for this process; 96 when
// it does, or cannot tell (IsProcessDPIAware: Vista on).
int systemDpi()
{
    using IsAware = BOOL(WINAPI*)();
    const auto isAware = systemFunction<IsAware>("user32.dll", "IsProcessDPIAware");
    if (isAware == nullptr || !isAware())
        return kBaseDpi;
    // Reached on Vista and later only; bound like the call above.
    using DeviceCaps = int(WINAPI*)(HDC, int);
    const auto deviceCaps = systemFunction<DeviceCaps>("gdi32.dll", "GetDeviceCaps");
    HDC screen = deviceCaps != nullptr ? GetDC(nullptr) : nullptr;
    const int dpi = screen != nullptr ? deviceCaps(screen, LOGPIXELSX) : kBaseDpi;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return saneDpi(dpi);
}

} // namespace

int windowDpi(HWND window)
{
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = systemFunction<DpiForWindow>("user32.dll", "GetDpiForWindow");
    if (dpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0)
            return saneDpi(static_cast<int>(dpi));
    }
    return systemDpi();
}

int systemMetricFor(int index, int dpi)
{
    using MetricForDpi = int(WINAPI*)(int, UINT);
    static const auto metricForDpi = systemFunction<MetricForDpi>("user32.dll", "GetSystemMetricsForDpi");
    dpi = saneDpi(dpi);
    if (metricForDpi != nullptr)
        return metricForDpi(index, static_cast<UINT>(dpi));
    return scaled(systemMetric(index), dpi, systemDpi());
}

int systemMetric(int index)
{
    // Every system has it; bound by name all the same, so that the program
    // imports what it always has.
    using Metric = int(WINAPI*)(int);
    static const auto metric = systemFunction<Metric>("user32.dll", "GetSystemMetrics");
    return metric != nullptr ? metric(index) : 0;
}
