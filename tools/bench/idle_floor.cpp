// The idle floor: the least a 220 x 65 face showing the time can cost. It
// recomposes a memory surface with the face's font every 150 ms, copies it to
// the window and keeps a notification-area icon, and does nothing else. The
// face, its font and the text's place are at the screen's DPI, scaled as the
// program scales its own (base/scale.h), so that the floor at 200 % is the
// least a face of 440 x 130 can cost.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {

HDC g_surface;
HBITMAP g_bitmap;
HFONT g_font;
bool g_timerOnly;
int g_dpi = 96;

// A length at 96 DPI at the screen's DPI, rounded as the program rounds.
int scaled(int value)
{
    return (value * g_dpi + 48) / 96;
}

// Declared aware where the system scales the unaware (Windows Vista on);
// where there is no such call, every pixel is one already.
void declareDpiAware()
{
    using Call = BOOL(WINAPI*)();
    if (auto call = reinterpret_cast<Call>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware")))
        call();
    HDC screen = GetDC(nullptr);
    g_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
}

void compose(HWND window)
{
    RECT all = {0, 0, scaled(220), scaled(65)};
    FillRect(g_surface, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%4d/%02d/%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay,
                                now.wHour, now.wMinute, now.wSecond);
    SelectObject(g_surface, g_font);
    SetBkMode(g_surface, TRANSPARENT);
    TextOutA(g_surface, scaled(10), scaled(20), text, n);
    HDC dc = GetDC(window);
    BitBlt(dc, 0, 0, all.right, all.bottom, g_surface, 0, 0, SRCCOPY);
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
    declareDpiAware();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = floorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "NoctilFloor";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "NoctilFloor", "NoctilFloor", WS_POPUP | WS_VISIBLE, 100, 100,
                                  scaled(220), scaled(65), nullptr, nullptr, instance, nullptr);
    HDC dc = GetDC(window);
    g_surface = CreateCompatibleDC(dc);
    g_bitmap = CreateCompatibleBitmap(dc, scaled(220), scaled(65));
    SelectObject(g_surface, g_bitmap);
    ReleaseDC(window, dc);
    g_font = CreateFontA(scaled(12), 0, 0, 0, 0, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN,
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
