#include "ui/about.h"

#include <windowsx.h>

#include "core/appstate.h"
#include "power/dialogpaint.h"
#include "resources/resource.h"

const char kAboutWebLink[] = "https://noctil.invalid/";
const char kAboutMailLink[] = "mailto:noctil@noctil.invalid";

namespace {

const char kVersionText[] = "Version " NOCTIL_VERSION_TEXT;
const char kHelpFile[] = "noctilhelp.chm";

// A link is drawn at a fixed point; its hot rectangle is fixed too and does
// not follow the length of the text (bounds exclusive).
struct LinkPlace {
    AboutLink link;
    const char* text;
    int x, y;
    RECT hot; // left < x < right, top < y < bottom
};

const LinkPlace kLinks[] = {
    {AboutLink::Web, kAboutWebLink, 240, 35, {240, 35, 385, 47}},
    {AboutLink::Mail, kAboutMailLink, 240, 49, {240, 49, 383, 61}},
};

// The about row of the dialog paint set: orange frame, brown text, pale
// yellow ground.
constexpr COLORREF kFrameColor = 0x000098EC;
constexpr COLORREF kTextColor = 0x00004C76;
constexpr COLORREF kEditBackColor = 0x00FFFFFF;
constexpr COLORREF kGroundColor = 0x009EF0FF;

// The pen and brushes of one open about box. The box owns them and lends them
// to the shared paint set for each painting only, so that another painted
// dialog opened meanwhile (the confirmation, from the tick) neither paints the
// box with its own objects, deleted when it closes, nor deletes the box's.
struct AboutPaintSet {
    HPEN pen;
    HBRUSH brush;
    HBRUSH editBrush;
};

void createAboutPaintSet(AboutPaintSet& set)
{
    set.pen = CreatePen(PS_SOLID, 0, kFrameColor);
    set.brush = CreateSolidBrush(kGroundColor);
    set.editBrush = CreateSolidBrush(kGroundColor);
}

void lendPaintSet(const AboutPaintSet& set)
{
    g_app.dialogPen = set.pen;
    g_app.dialogBrush = set.brush;
    g_app.dialogEditBrush = set.editBrush;
    g_app.dialogTextColor = kTextColor;
    g_app.dialogEditBackColor = kEditBackColor;
}

AboutPaintSet* paintSetOf(HWND dialog)
{
    return reinterpret_cast<AboutPaintSet*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

struct SavedPaintSet {
    HPEN pen;
    HBRUSH brush;
    HBRUSH editBrush;
    COLORREF textColor;
    COLORREF editBackColor;
};

SavedPaintSet savePaintSet()
{
    return {g_app.dialogPen, g_app.dialogBrush, g_app.dialogEditBrush, g_app.dialogTextColor,
            g_app.dialogEditBackColor};
}

void restorePaintSet(const SavedPaintSet& saved)
{
    g_app.dialogPen = saved.pen;
    g_app.dialogBrush = saved.brush;
    g_app.dialogEditBrush = saved.editBrush;
    g_app.dialogTextColor = saved.textColor;
    g_app.dialogEditBackColor = saved.editBackColor;
}

INT_PTR paintWithOwnSet(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    AboutPaintSet* set = paintSetOf(dialog);
    if (set == nullptr)
        return paintDialog(dialog, message, wParam, lParam);
    const SavedPaintSet saved = savePaintSet();
    lendPaintSet(*set);
    const INT_PTR result = paintDialog(dialog, message, wParam, lParam);
    restorePaintSet(saved);
    return result;
}

void releaseAboutPaintSet(AboutPaintSet& set)
{
    if (g_app.dialogPen == set.pen)
        g_app.dialogPen = nullptr;
    if (g_app.dialogBrush == set.brush)
        g_app.dialogBrush = nullptr;
    if (g_app.dialogEditBrush == set.editBrush)
        g_app.dialogEditBrush = nullptr;
    if (set.pen != nullptr)
        DeleteObject(set.pen);
    if (set.brush != nullptr)
        DeleteObject(set.brush);
    if (set.editBrush != nullptr)
        DeleteObject(set.editBrush);
    set = {};
}

void drawLink(HDC dc, const LinkPlace& place, COLORREF color)
{
    HGDIOBJ oldFont = g_app.fontLink != nullptr ? SelectObject(dc, g_app.fontLink) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    TextOutA(dc, place.x, place.y, place.text, lstrlenA(place.text));
    if (oldFont != nullptr)
        SelectObject(dc, oldFont);
}

bool isHot(const LinkPlace& place, int x, int y)
{
    return place.hot.left < x && x < place.hot.right && place.hot.top < y && y < place.hot.bottom;
}

void shellOpen(const char* file, const char* directory)
{
    ShellExecuteA(nullptr, nullptr, file, nullptr, directory, SW_SHOWNORMAL);
}

ShellOpenFunction g_shellOpen = shellOpen;

void onMouseMove(HWND dialog, int x, int y)
{
    COLORREF colors[2];
    for (int i = 0; i < 2; ++i) {
        colors[i] = kLinkColor;
        if (isHot(kLinks[i], x, y)) {
            SetCursor(LoadCursorA(nullptr, IDC_HAND));
            colors[i] = kLinkHotColor;
        }
    }
    HDC dc = GetDC(dialog);
    for (int i = 0; i < 2; ++i)
        drawLink(dc, kLinks[i], colors[i]);
    ReleaseDC(dialog, dc);
}

void onLeftButtonUp(int x, int y)
{
    for (const LinkPlace& place : kLinks) {
        if (isHot(place, x, y))
            g_shellOpen(place.text, nullptr);
    }
}

void onPaint(HWND dialog)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    for (const LinkPlace& place : kLinks)
        drawLink(dc, place, kLinkColor);
    EndPaint(dialog, &ps);
}

} // namespace

const char* aboutVersionText()
{
    return kVersionText;
}

AboutLink aboutLinkAt(int x, int y)
{
    for (const LinkPlace& place : kLinks) {
        if (isHot(place, x, y))
            return place.link;
    }
    return AboutLink::None;
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        AboutPaintSet* set = reinterpret_cast<AboutPaintSet*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        if (set != nullptr) {
            createAboutPaintSet(*set);
            lendPaintSet(*set);
        }
        SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, kVersionText);
        return 0;
    }
    case WM_PAINT:
        onPaint(dialog);
        return 0;
    case WM_ERASEBKGND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return paintWithOwnSet(dialog, message, wParam, lParam);
    case WM_MOUSEMOVE:
        onMouseMove(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        onLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            if (AboutPaintSet* set = paintSetOf(dialog))
                releaseAboutPaintSet(*set);
            EndDialog(dialog, 0);
        }
        return 0;
    case WM_DESTROY:
        // Also closed without a command (the program ending under it).
        if (AboutPaintSet* set = paintSetOf(dialog))
            releaseAboutPaintSet(*set);
        return 0;
    }
    return 0;
}

INT_PTR runAboutDialog(HWND owner)
{
    HINSTANCE instance = owner != nullptr
        ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE))
        : g_app.instanceHandle;
    AboutPaintSet set = {};
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, aboutDialogProc,
                           reinterpret_cast<LPARAM>(&set));
}

void openHelpFile()
{
    g_shellOpen(kHelpFile, g_app.programDirectory);
}

void setShellOpenForTest(ShellOpenFunction open)
{
    g_shellOpen = open != nullptr ? open : shellOpen;
}
