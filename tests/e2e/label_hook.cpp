// A library the probe hooks into the thread of another program's window, so
// that the window's labels are measured where their fonts live (a font handle
// means nothing in another process). Each text label of the window (static
// text, check box, radio button) becomes a line in the shared buffer
// kLabelsBuffer:
//   OK|CLIPPED class id width height needWidth needHeight text
// the client size it has and the size its text needs in its own font: one
// line, or, for static text that wraps and is too wide for one line (or
// holds line breaks), the lines DrawText breaks it into at that width. Check
// boxes and radio buttons draw their text past the box and half a digit.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char kLabelsMessage[] = "NoctilProbeLabels";
const char kLabelsBuffer[] = "NoctilProbeLabelsBuffer";
constexpr DWORD kBufferSize = 1 << 16;

HINSTANCE g_self;

struct Label {
    bool found;
    int width, height, needWidth, needHeight;
};

Label measure(HWND control, const char* cls, const char* text)
{
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG type = style & SS_TYPEMASK, button = style & BS_TYPEMASK;
    const bool isStatic = std::strcmp(cls, "Static") == 0;
    const bool wraps = isStatic && (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
    const bool isCheck = std::strcmp(cls, "Button") == 0
                         && (button == BS_CHECKBOX || button == BS_AUTOCHECKBOX || button == BS_RADIOBUTTON
                             || button == BS_AUTORADIOBUTTON || button == BS_3STATE || button == BS_AUTO3STATE);
    Label label = {false, 0, 0, 0, 0};
    if (text[0] == '\0' || !(wraps || isCheck || (isStatic && (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP))))
        return label;
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    int beside = 0;
    if (isCheck) {
        INT digit = 0;
        GetCharWidth32A(dc, '0', '0', &digit);
        beside = GetSystemMetrics(SM_CXMENUCHECK) + digit / 2;
    }
    label = {true, client.right - beside, client.bottom, 0, 0};
    const UINT prefix = isStatic && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    SIZE line = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &line);
    RECT need = {0, 0, line.cx, line.cy};
    if (wraps && (line.cx > label.width || std::strpbrk(text, "\r\n") != nullptr)) {
        need = {0, 0, label.width, 0};
        DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | prefix);
    }
    label.needWidth = need.right;
    label.needHeight = need.bottom;
    SelectObject(dc, oldFont);
    ReleaseDC(control, dc);
    return label;
}

void writeLabels(HWND window, char* out, size_t size)
{
    size_t used = 0;
    out[0] = '\0';
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = {}, text[1024] = {};
        GetClassNameA(child, cls, sizeof cls);
        GetWindowTextA(child, text, sizeof text);
        const Label l = measure(child, cls, text);
        if (!l.found)
            continue;
        for (char* c = text; *c != '\0'; ++c) {
            if (*c == '\r' || *c == '\n')
                *c = '|';
        }
        const int n = std::snprintf(out + used, size - used, "%s %s %d %d %d %d %d %s\n",
                                    l.needWidth <= l.width && l.needHeight <= l.height ? "OK" : "CLIPPED", cls,
                                    GetDlgCtrlID(child), l.width, l.height, l.needWidth, l.needHeight, text);
        if (n < 0 || static_cast<size_t>(n) >= size - used)
            break;
        used += n;
    }
}

LRESULT CALLBACK onMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == RegisterWindowMessageA(kLabelsMessage)) {
        if (HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kLabelsBuffer)) {
            if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kBufferSize)) {
                writeLabels(sent->hwnd, static_cast<char*>(view), kBufferSize);
                UnmapViewOfFile(view);
            }
            CloseHandle(mapping);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

// Run in the probe: the labels of `window`, measured in its own thread, into
// `out`; false if the window could not be reached.
extern "C" __declspec(dllexport) bool measureLabels(HWND window, char* out, size_t size)
{
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBufferSize, kLabelsBuffer);
    char* view = mapping ? static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kBufferSize)) : nullptr;
    HHOOK hook = view ? SetWindowsHookExA(WH_CALLWNDPROC, onMessage, g_self, GetWindowThreadProcessId(window, nullptr))
                      : nullptr;
    DWORD_PTR result = 0;
    const bool reached = hook != nullptr
                         && SendMessageTimeoutA(window, RegisterWindowMessageA(kLabelsMessage), 0, 0, SMTO_ABORTIFHUNG,
                                                5000, &result) != 0;
    if (reached)
        lstrcpynA(out, view, static_cast<int>(size));
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    if (view != nullptr)
        UnmapViewOfFile(view);
    if (mapping != nullptr)
        CloseHandle(mapping);
    return reached;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_self = self;
    return TRUE;
}
