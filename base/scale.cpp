#include "base/scale.h"

#include <cstdint>

int saneDpi(int dpi)
{
    return dpi >= kLeastDpi && dpi <= kMostDpi ? dpi : kBaseDpi;
}

namespace {

// Rounded toward minus infinity, for either sign of `n`.
int64_t floorDiv(int64_t n, int64_t d)
{
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

} // namespace

int scaled(int value, int dpi, int fromDpi)
{
    if (fromDpi <= 0)
        fromDpi = kBaseDpi;
    return static_cast<int>(floorDiv(static_cast<int64_t>(value) * saneDpi(dpi) + fromDpi / 2, fromDpi));
}

int faceUnit(int pixel, int dpi)
{
    // The unit u whose pixels scaled(u) <= pixel < scaled(u + 1) hold it:
    // the largest u with u * dpi + 48 < (pixel + 1) * 96.
    return static_cast<int>(floorDiv((static_cast<int64_t>(pixel) + 1) * kBaseDpi - kBaseDpi / 2 - 1, saneDpi(dpi)));
}

SheetDrawing sheetDrawing(int dpi, bool doubleSheetAvailable)
{
    dpi = saneDpi(dpi);
    const bool doubleSheet = doubleSheetAvailable && dpi >= kDoubleSheetFromDpi;
    const int sheetDpi = doubleSheet ? 2 * kBaseDpi : kBaseDpi;
    return {doubleSheet, dpi % sheetDpi == 0, sheetDpi};
}
