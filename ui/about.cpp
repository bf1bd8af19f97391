#include "ui/about.h"

#include <windowsx.h>

#include "base/platform.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "ui/dialogpaint.h"
#include "ui/display.h"
#include "ui/modal.h"
#include "ui/uistate.h"

const char kAboutWebLink[] = "https://noctil.invalid/";
const char kAboutMailLink[] = "mailto:noctil@noctil.invalid";

namespace {

const char kVersionText[] = "Version " NOCTIL_VERSION_TEXT;
const char kHelpFile[] = "noctilhelp.chm";

const char* linkText(AboutLink link)
{
    return link == AboutLink::Web ? kAboutWebLink : kAboutMailLink;
}

void drawLink(HDC dc, const AboutLinkSpot& spot, COLORREF color)
{
    HGDIOBJ oldFont = g_ui.fontLink != nullptr ? SelectObject(dc, g_ui.fontLink) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    const char* text = linkText(spot.link);
    TextOutA(dc, facePixels(spot.x), facePixels(spot.y), text, lstrlenA(text));
    if (oldFont != nullptr)
        SelectObject(dc, oldFont);
}

// The links are laid out in 96-DPI units and drawn with the face's fonts.
AboutLink linkAtPixel(int x, int y)
{
    return aboutLinkAt(faceUnit(x, g_ui.dpi), faceUnit(y, g_ui.dpi));
}

void onMouseMove(HWND dialog, int x, int y)
{
    const AboutLink hot = linkAtPixel(x, y);
    if (hot != AboutLink::None)
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
    HDC dc = GetDC(dialog);
    for (const AboutLinkSpot& spot : kAboutLinkSpots)
        drawLink(dc, spot, spot.link == hot ? kLinkHotColor : kLinkColor);
    ReleaseDC(dialog, dc);
}

void onLeftButtonUp(int x, int y)
{
    const AboutLink hot = linkAtPixel(x, y);
    if (hot != AboutLink::None)
        shellOpen(linkText(hot), nullptr);
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

HWND pictureControl(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            return child;
    }
    return nullptr;
}

// At another scale the picture is redrawn at it, as the face's sheet is; the
// control then holds the scaled copy, which releasePicture frees.
void scalePicture(HWND dialog)
{
    HWND control = pictureControl(dialog);
    if (control == nullptr || g_ui.dpi == kBaseDpi)
        return;
    HBITMAP plain = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    HBITMAP copy = plain != nullptr ? scaledBitmap(plain, g_ui.dpi) : nullptr;
    if (copy == nullptr)
        return;
    HGDIOBJ old = reinterpret_cast<HGDIOBJ>(SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP,
                                                         reinterpret_cast<LPARAM>(copy)));
    if (old != nullptr)
        DeleteObject(old);
}

void onPaint(HWND dialog)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    for (const AboutLinkSpot& spot : kAboutLinkSpots)
        drawLink(dc, spot, kLinkColor);
    EndPaint(dialog, &ps);
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        fillDialogPaintSet(dialog, AboutPaintRow);
        SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, kVersionText);
        scalePicture(dialog);
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

} // namespace

INT_PTR runAboutDialog(HWND owner)
{
    return runModalDialog(owner, IDD_ABOUT, aboutDialogProc);
}

void openHelpFile()
{
    shellOpen(kHelpFile, g_app.programDirectory);
}
