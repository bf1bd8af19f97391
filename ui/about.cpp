#include "ui/about.h"

#include <windowsx.h>

#include "core/appstate.h"
#include "core/modal.h"
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

// The picture control loads bitmap 113 from the template itself but never
// frees it: the box takes it back and frees it when it goes.
void releasePicture(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        HGDIOBJ picture = reinterpret_cast<HGDIOBJ>(SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (picture != nullptr)
            DeleteObject(picture);
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
    case WM_INITDIALOG:
        fillDialogPaintSet(dialog, AboutPaintRow);
        SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, kVersionText);
        return 0;
    case WM_PAINT:
        onPaint(dialog);
        return 0;
    case WM_ERASEBKGND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return paintDialog(dialog, message, wParam, lParam);
    case WM_MOUSEMOVE:
        onMouseMove(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        onLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            releaseDialogPaintSet(dialog);
            EndDialog(dialog, 0);
        }
        return 0;
    case WM_DESTROY:
        // Also closed without a command (the program ending under it).
        releaseDialogPaintSet(dialog);
        releasePicture(dialog);
        return 0;
    }
    return 0;
}

INT_PTR runAboutDialog(HWND owner)
{
    return runModalDialog(owner, IDD_ABOUT, aboutDialogProc);
}

void openHelpFile()
{
    g_shellOpen(kHelpFile, g_app.programDirectory);
}

void setShellOpenForTest(ShellOpenFunction open)
{
    g_shellOpen = open != nullptr ? open : shellOpen;
}
