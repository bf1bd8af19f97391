// The idle floor: the least a 220 x 65 face showing the time can cost. It
// recomposes a memory surface with the face's font every 150 ms, copies it to
// the window and keeps a notification-area icon, and does nothing else.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {

HDC g_surface;
HBITMAP g_bitmap;
HFONT g_font;
bool g_timerOnly;

void compose(HWND window)
{
    RECT all = {0, 0, 220, 65};
    FillRect(g_surface, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%4d/%02d/%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay,
                                now.wHour, now.wMinute, now.wSecond);
    SelectObject(g_surface, g_font);
    SetBkMode(g_surface, TRANSPARENT);
    TextOutA(g_surface, 10, 20, text, n);
    HDC dc = GetDC(window);
    BitBlt(dc, 0, 0, 220, 65, g_surface, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

LRESULT CALLBACK floorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (!g_timerOnly)
            compose(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    g_timerOnly = lstrcmpiA(commandLine, "timer") == 0;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = floorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "NoctilFloor";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "NoctilFloor", "NoctilFloor", WS_POPUP | WS_VISIBLE, 100, 100, 220,
                                  65, nullptr, nullptr, instance, nullptr);
    HDC dc = GetDC(window);
    g_surface = CreateCompatibleDC(dc);
    g_bitmap = CreateCompatibleBitmap(dc, 220, 65);
    SelectObject(g_surface, g_bitmap);
    ReleaseDC(window, dc);
    g_font = CreateFontA(12, 0, 0, 0, 0, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN,
                         "ＭＳ ゴシック");
    NOTIFYICONDATAA icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    lstrcpynA(icon.szTip, "floor", sizeof icon.szTip);
    Shell_NotifyIconA(NIM_ADD, &icon);
    SetTimer(window, 300, 150, nullptr);
    compose(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    Shell_NotifyIconA(NIM_DELETE, &icon);
    return 0;
}
