#include "ui/dialogpaint.h"

#include "base/platform.h"
#include "base/scale.h"
#include "state/appstate.h"
#include "ui/uistate.h"

namespace {

struct PaintSet {
    HWND dialog;
    HPEN pen;
    HBRUSH brush;
    HBRUSH editBrush;
    COLORREF textColor;
    COLORREF editBackColor;
};

// The painted dialogs that are open, oldest first. Each owns its pen and
// brushes, so a dialog that opens over another (the confirmation over the
// about box) neither leaks nor deletes the other's objects, whatever order
// they close in.
constexpr int kMaxOpen = 8;
PaintSet g_open[kMaxOpen];
int g_openCount = 0;

void install(const PaintSet* set)
{
    g_ui.dialogPen = set ? set->pen : nullptr;
    g_ui.dialogBrush = set ? set->brush : nullptr;
    g_ui.dialogEditBrush = set ? set->editBrush : nullptr;
    g_ui.dialogTextColor = set ? set->textColor : 0;
    g_ui.dialogEditBackColor = set ? set->editBackColor : 0;
}

const PaintSet* setOf(HWND dialog)
{
    for (int i = 0; i < g_openCount; ++i) {
        if (g_open[i].dialog == dialog)
            return &g_open[i];
    }
    return nullptr;
}

COLORREF textColorOf(DialogPaintRow row)
{
    return row == ConfirmPaintRow ? RGB(255, 0, 0) : RGB(118, 76, 0);
}

} // namespace

void fillDialogPaintSet(HWND dialog, DialogPaintRow row)
{
    releaseDialogPaintSet(dialog);
    if (g_openCount == kMaxOpen)
        return; // paints with the set of the dialogs below it
    PaintSet& set = g_open[g_openCount++];
    set.dialog = dialog;
    // The frame is one pixel wide at 96 DPI and as wide as the scale asks,
    // all of it inside the dialog on every side.
    const int width = scaled(1, windowDpi(dialog));
    set.pen = CreatePen(width > 1 ? PS_INSIDEFRAME : PS_SOLID, width, RGB(236, 152, 0));
    set.brush = CreateSolidBrush(RGB(255, 240, 158));
    set.editBrush = CreateSolidBrush(RGB(255, 240, 158));
    set.textColor = textColorOf(row);
    set.editBackColor = RGB(255, 255, 255);
    install(&set);
}

void releaseDialogPaintSet(HWND dialog)
{
    for (int i = 0; i < g_openCount; ++i) {
        if (g_open[i].dialog != dialog)
            continue;
        const PaintSet gone = g_open[i];
        for (int j = i + 1; j < g_openCount; ++j)
            g_open[j - 1] = g_open[j];
        --g_openCount;
        if (g_ui.dialogPen == gone.pen)
            install(g_openCount > 0 ? &g_open[g_openCount - 1] : nullptr);
        DeleteObject(gone.pen);
        DeleteObject(gone.brush);
        DeleteObject(gone.editBrush);
        return;
    }
}

namespace {

INT_PTR paintWithCurrentSet(HWND dialog, UINT message, WPARAM wParam)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    switch (message) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(dialog, &r);
        // Put the dialog's own objects back, so ours are never left selected
        // into a DC when the dialog deletes them.
        HGDIOBJ oldBrush = SelectObject(dc, g_ui.dialogBrush);
        HGDIOBJ oldPen = SelectObject(dc, g_ui.dialogPen);
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        return 1;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, g_ui.dialogTextColor);
        SetBkColor(dc, g_ui.dialogEditBackColor);
        return reinterpret_cast<INT_PTR>(g_ui.dialogEditBrush);
    case WM_CTLCOLORSTATIC:
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, g_ui.dialogTextColor);
        return reinterpret_cast<INT_PTR>(g_ui.dialogBrush);
    }
    return 0;
}

} // namespace

INT_PTR paintDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A dialog that filled a set of its own paints with it, even while a
    // dialog opened later holds the shared set (the about box repainting
    // under the confirmation).
    const PaintSet* own = setOf(dialog);
    if (own == nullptr || own->pen == g_ui.dialogPen)
        return paintWithCurrentSet(dialog, message, wParam);
    const PaintSet shared = {nullptr, g_ui.dialogPen, g_ui.dialogBrush, g_ui.dialogEditBrush,
                             g_ui.dialogTextColor, g_ui.dialogEditBackColor};
    install(own);
    const INT_PTR result = paintWithCurrentSet(dialog, message, wParam);
    install(&shared);
    return result;
}
