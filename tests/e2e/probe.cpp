// probe: looks at noctil from another process, as the system sees it.
//   probe find                      exit 0 and print the main window, exit 1 if none
//   probe info                      "hwnd visible left top width height style exstyle topmost"
//   probe post MSG WPARAM LPARAM    post a message to the main window
//   probe send MSG WPARAM LPARAM    send it and print the result
//   probe move LEFT TOP             move the main window (as a drag would), keeping its size
//   probe wait-window MS            wait until the main window exists
//   probe wait-gone MS              wait until the main window is gone
//   probe count                     number of top-level windows of class "Noctil"
//   probe dialog CAPTION [ID]       exit 0 and print the text of control ID (default 0xFFFF) of a
//                                   visible window with this caption
//   probe rect CAPTION [ID]         "left top right bottom" of that window or of its control ID
//   probe close CAPTION             post WM_CLOSE to the window with this caption
//   probe window TITLE X Y MS       show a window of its own until it is closed or MS have passed
//   probe press CAPTION ID          send WM_COMMAND ID to the window with this caption
//   probe notice                    "left top width height topmost desktopRight desktopBottom"
//                                   of a visible caption-less dialog of noctil's process
//   probe census                    "pid windows": noctil's process id and how many windows it has,
//                                   top-level and child, shown or hidden
//   probe cycle COUNT CMD CAPTION CLOSE [CMD CAPTION CLOSE]...
//                                   COUNT rounds of these steps: WM_COMMAND CMD to the main window,
//                                   wait for its visible window CAPTION, WM_COMMAND CLOSE to that, wait
//                                   until it is gone. CAPTION "#32768" is the popup menu, opened by a
//                                   right click on the top bar and closed by Escape (CMD, CLOSE
//                                   unused). CAPTION "#dpi" is a change of DPI to CMD and back to
//                                   CLOSE (WM_DPICHANGED without a rectangle: none can cross
//                                   processes). Prints what failed and exits 1 when a step takes 10 s.
//   probe foreground                the caption of the foreground window
//   probe windows                   "class caption" of each visible top-level window of noctil's process
//   probe labels CAPTION            each text label of that window measured in its own font (see
//                                   label_hook.cpp); exit 1 if none is found
//   probe face-line X Y FORMAT      the first N (0..999) for which FORMAT with %d, drawn at X, Y in
//                                   the face's text font and line-2 colour, adds no pixel to the
//                                   window: that text is on the face. -1 if none.
// Numbers may be decimal or 0x-prefixed hex. Captions are code page 932.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND mainWindow()
{
    return FindWindowA("Noctil", "Noctil");
}

unsigned long number(const char* text)
{
    return std::strtoul(text, nullptr, 0);
}

BOOL CALLBACK countOne(HWND w, LPARAM p)
{
    char cls[64];
    if (GetClassNameA(w, cls, sizeof cls) && std::strcmp(cls, "Noctil") == 0)
        ++*reinterpret_cast<int*>(p);
    return TRUE;
}

int countWindows()
{
    int count = 0;
    EnumWindows(countOne, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Find {
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchCaption(HWND w, LPARAM p)
{
    Find* f = reinterpret_cast<Find*>(p);
    char text[256];
    GetWindowTextA(w, text, sizeof text);
    if (IsWindowVisible(w) && std::strcmp(text, f->caption) == 0) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND findByCaption(const char* caption)
{
    Find find = {caption, nullptr};
    EnumWindows(matchCaption, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

struct Notice {
    DWORD process;
    HWND found;
};

BOOL CALLBACK matchNotice(HWND w, LPARAM p)
{
    Notice* n = reinterpret_cast<Notice*>(p);
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    char cls[64] = {}, text[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    if (process == n->process && IsWindowVisible(w) && std::strcmp(cls, "#32770") == 0 && text[0] == '\0') {
        n->found = w;
        return FALSE;
    }
    return TRUE;
}

DWORD processOf(HWND w)
{
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    return process;
}

struct Census {
    DWORD process;
    int windows;
};

BOOL CALLBACK countChild(HWND w, LPARAM p)
{
    ++reinterpret_cast<Census*>(p)->windows;
    return TRUE;
}

BOOL CALLBACK printShown(HWND w, LPARAM p)
{
    if (processOf(w) == reinterpret_cast<Census*>(p)->process && IsWindowVisible(w)) {
        char cls[64] = {}, text[256] = {};
        GetClassNameA(w, cls, sizeof cls);
        GetWindowTextA(w, text, sizeof text);
        std::printf("%s %s\n", cls, text);
    }
    return TRUE;
}

BOOL CALLBACK countOwn(HWND w, LPARAM p)
{
    Census* c = reinterpret_cast<Census*>(p);
    if (processOf(w) == c->process) {
        ++c->windows;
        EnumChildWindows(w, countChild, p); // every level below it
    }
    return TRUE;
}

// A shown top-level window of `process` with this class (or any, if null) and caption (or any, if null).
struct Shown {
    DWORD process;
    const char* cls;
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchShown(HWND w, LPARAM p)
{
    Shown* s = reinterpret_cast<Shown*>(p);
    char cls[64] = {}, text[256] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    if (processOf(w) == s->process && IsWindowVisible(w) && (s->cls == nullptr || std::strcmp(cls, s->cls) == 0)
        && (s->caption == nullptr || std::strcmp(text, s->caption) == 0)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

// Waits until such a window is shown (want) or none is; false after `ms`.
bool waitShown(DWORD process, const char* cls, const char* caption, bool want, HWND& found, DWORD ms = 10000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        Shown s = {process, cls, caption, nullptr};
        EnumWindows(matchShown, reinterpret_cast<LPARAM>(&s));
        found = s.found;
        if ((found != nullptr) == want)
            return true;
        if (GetTickCount() - start > ms)
            return false;
        Sleep(5);
    }
}

constexpr UINT kDpiChanged = 0x02E0; // WM_DPICHANGED

// Opens one dialog (or the popup menu) and closes it again, or changes the
// DPI and back; null, or what failed.
const char* openAndClose(HWND window, UINT command, const char* caption, UINT close)
{
    if (std::strcmp(caption, "#dpi") == 0) {
        const UINT dpis[] = {command, close};
        for (const UINT dpi : dpis) {
            DWORD_PTR result;
            if (!SendMessageTimeoutA(window, kDpiChanged, MAKEWPARAM(dpi, dpi), 0, SMTO_NORMAL, 10000, &result))
                return "did not answer";
        }
        return nullptr;
    }
    const DWORD process = processOf(window);
    const bool menu = std::strcmp(caption, "#32768") == 0;
    const char* cls = menu ? caption : nullptr;
    const char* text = menu ? nullptr : caption;
    HWND shown = nullptr;
    if (menu) {
        // A right click on the top bar. Xvfb may report the focus leaving the
        // last dialog only after the menu opened, which cancels it at once:
        // then it is asked for again.
        RECT r;
        GetWindowRect(window, &r);
        for (int attempt = 0; attempt < 5 && shown == nullptr; ++attempt) {
            PostMessageA(window, WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(r.left + 100, r.top + 5));
            waitShown(process, cls, text, true, shown, 2000);
        }
    } else {
        PostMessageA(window, WM_COMMAND, command, 0);
        waitShown(process, cls, text, true, shown);
    }
    if (shown == nullptr)
        return "did not open";
    // Painted before it closes, as the user would see it: what is drawn only
    // now and then would make the counts wander.
    RedrawWindow(shown, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (menu)
        PostMessageA(shown, WM_KEYDOWN, VK_ESCAPE, 0);
    else
        PostMessageA(shown, WM_COMMAND, MAKEWPARAM(close, BN_CLICKED), 0);
    return waitShown(process, cls, text, false, shown) ? nullptr : "did not close";
}

// A window of the probe's own, shown until it is closed or `ms` have passed.
int showWindow(const char* title, int x, int y, DWORD ms)
{
    HWND w = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 240, 150, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    MSG msg;
    for (const DWORD start = GetTickCount(); IsWindow(w) && GetTickCount() - start < ms; Sleep(20)) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return 0;
}

bool waitFor(bool wantWindow, DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        if ((mainWindow() != nullptr) == wantWindow)
            return true;
        Sleep(50);
    } while (GetTickCount() - start < ms);
    return false;
}

// A 220 x 65 32-bit surface whose pixels can be compared directly.
struct Surface {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    void* bits;
};

Surface makeSurface(HDC screen)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 220;
    info.bmiHeader.biHeight = 65;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    Surface s = {CreateCompatibleDC(screen), nullptr, nullptr, nullptr};
    s.bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &s.bits, nullptr, 0);
    s.previous = SelectObject(s.dc, s.bitmap);
    return s;
}

void freeSurface(Surface& s)
{
    SelectObject(s.dc, s.previous);
    DeleteObject(s.bitmap);
    DeleteDC(s.dc);
}

// The first n for which `format` with n, drawn over a copy of the face, adds
// no pixel: the face already shows that text there.
int faceLine(HWND window, int x, int y, const char* format)
{
    HDC screen = GetDC(window);
    Surface face = makeSurface(screen);
    Surface scratch = makeSurface(screen);
    BitBlt(face.dc, 0, 0, 220, 65, screen, 0, 0, SRCCOPY);
    GdiFlush();
    HFONT font = CreateFontA(12, 0, 0, 0, 0, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN,
                             "ＭＳ ゴシック");
    HGDIOBJ oldFont = SelectObject(scratch.dc, font);
    SetBkMode(scratch.dc, TRANSPARENT);
    SetTextColor(scratch.dc, 767); // line 2 of the built-in skin
    int found = -1;
    for (int n = 0; n < 1000 && found < 0; ++n) {
        char text[256];
        std::snprintf(text, sizeof text, format, n);
        BitBlt(scratch.dc, 0, 0, 220, 65, face.dc, 0, 0, SRCCOPY);
        TextOutA(scratch.dc, x, y, text, static_cast<int>(std::strlen(text)));
        GdiFlush();
        if (std::memcmp(face.bits, scratch.bits, 220 * 65 * 4) == 0)
            found = n;
    }
    SelectObject(scratch.dc, oldFont);
    DeleteObject(font);
    freeSurface(face);
    freeSurface(scratch);
    ReleaseDC(window, screen);
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const char* cmd = argv[1];
    HWND window = mainWindow();
    if (std::strcmp(cmd, "find") == 0) {
        if (window == nullptr)
            return 1;
        std::printf("%p\n", static_cast<void*>(window));
        return 0;
    }
    if (std::strcmp(cmd, "count") == 0) {
        std::printf("%d\n", countWindows());
        return 0;
    }
    if (std::strcmp(cmd, "acp") == 0) {
        std::printf("%u\n", GetACP());
        return 0;
    }
    if (std::strcmp(cmd, "wait-window") == 0 && argc >= 3)
        return waitFor(true, number(argv[2])) ? 0 : 1;
    if (std::strcmp(cmd, "wait-gone") == 0 && argc >= 3)
        return waitFor(false, number(argv[2])) ? 0 : 1;
    if (std::strcmp(cmd, "dialog") == 0 && argc >= 3) {
        HWND dlg = findByCaption(argv[2]);
        if (dlg == nullptr)
            return 1;
        char text[1024] = {};
        GetDlgItemTextA(dlg, argc >= 4 ? static_cast<int>(number(argv[3])) : 0xFFFF, text, sizeof text);
        std::printf("%s\n", text);
        return 0;
    }
    if (std::strcmp(cmd, "press") == 0 && argc >= 4) {
        HWND dlg = findByCaption(argv[2]);
        if (dlg == nullptr)
            return 1;
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(number(argv[3]), BN_CLICKED), 0);
        return 0;
    }
    if (std::strcmp(cmd, "foreground") == 0) {
        char text[256] = {};
        GetWindowTextA(GetForegroundWindow(), text, sizeof text);
        std::printf("%s\n", text);
        return 0;
    }
    if (std::strcmp(cmd, "window") == 0 && argc >= 6)
        return showWindow(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), number(argv[5]));
    HWND named = argc >= 3 ? findByCaption(argv[2]) : nullptr;
    if (std::strcmp(cmd, "rect") == 0 && named != nullptr) {
        HWND w = argc >= 4 ? GetDlgItem(named, static_cast<int>(number(argv[3]))) : named;
        RECT r;
        if (w == nullptr || !GetWindowRect(w, &r))
            return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (std::strcmp(cmd, "labels") == 0 && named != nullptr) {
        // The library beside the probe measures them in the window's own thread.
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::strcpy(std::strrchr(path, '\\') + 1, "labelhook.dll");
        HMODULE hook = LoadLibraryA(path);
        auto measure = hook ? reinterpret_cast<bool (*)(HWND, char*, size_t)>(GetProcAddress(hook, "measureLabels"))
                            : nullptr;
        static char labels[1 << 16];
        if (measure == nullptr || !measure(named, labels, sizeof labels) || labels[0] == '\0')
            return 1;
        std::fputs(labels, stdout);
        return 0;
    }
    if (std::strcmp(cmd, "close") == 0 && named != nullptr)
        return PostMessageA(named, WM_CLOSE, 0, 0) ? 0 : 1;
    if (window == nullptr) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    if (std::strcmp(cmd, "notice") == 0) {
        Notice notice = {0, nullptr};
        GetWindowThreadProcessId(window, &notice.process);
        EnumWindows(matchNotice, reinterpret_cast<LPARAM>(&notice));
        if (notice.found == nullptr)
            return 1;
        RECT r, desktop;
        GetWindowRect(notice.found, &r);
        GetWindowRect(GetDesktopWindow(), &desktop);
        std::printf("%ld %ld %ld %ld %d %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                    (GetWindowLongA(notice.found, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0, desktop.right,
                    desktop.bottom);
        return 0;
    }
    if (std::strcmp(cmd, "windows") == 0) {
        Census census = {processOf(window), 0};
        EnumWindows(printShown, reinterpret_cast<LPARAM>(&census));
        return 0;
    }
    if (std::strcmp(cmd, "census") == 0) {
        Census census = {processOf(window), 0};
        EnumWindows(countOwn, reinterpret_cast<LPARAM>(&census));
        std::printf("%lu %d\n", static_cast<unsigned long>(census.process), census.windows);
        return 0;
    }
    if (std::strcmp(cmd, "cycle") == 0 && argc >= 6 && (argc - 3) % 3 == 0) {
        // The pointer rests in a corner, over none of them: whatever lies under
        // it would be drawn hot, with pictures Wine makes once per such state.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        for (unsigned long round = number(argv[2]); round > 0; --round) {
            for (int step = 3; step < argc; step += 3) {
                if (const char* failed = openAndClose(window, number(argv[step]), argv[step + 1],
                                                      number(argv[step + 2]))) {
                    std::printf("%s %s\n", argv[step + 1], failed);
                    return 1;
                }
            }
        }
        return 0;
    }
    if (std::strcmp(cmd, "face-line") == 0 && argc >= 5) {
        std::printf("%d\n", faceLine(window, static_cast<int>(number(argv[2])), static_cast<int>(number(argv[3])),
                                      argv[4]));
        return 0;
    }
    if (std::strcmp(cmd, "info") == 0) {
        RECT r;
        GetWindowRect(window, &r);
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
        std::printf("%p %d %ld %ld %ld %ld 0x%08lX 0x%08lX %d\n", static_cast<void*>(window),
                    IsWindowVisible(window) ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    static_cast<unsigned long>(style), static_cast<unsigned long>(exStyle),
                    (exStyle & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    if (std::strcmp(cmd, "move") == 0 && argc >= 4) {
        const int left = static_cast<int>(std::strtol(argv[2], nullptr, 0));
        const int top = static_cast<int>(std::strtol(argv[3], nullptr, 0));
        return SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
    }
    if ((std::strcmp(cmd, "post") == 0 || std::strcmp(cmd, "send") == 0) && argc >= 5) {
        const UINT msg = number(argv[2]);
        const WPARAM wp = number(argv[3]);
        const LPARAM lp = static_cast<LPARAM>(number(argv[4]));
        if (cmd[0] == 'p')
            return PostMessageA(window, msg, wp, lp) ? 0 : 1;
        std::printf("%ld\n", static_cast<long>(SendMessageA(window, msg, wp, lp)));
        return 0;
    }
    return 2;
}
