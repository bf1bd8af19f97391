#include "winwatch/picker.h"

#include "base/platform.h"
#include "base/scale.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "ui/modal.h"
#include "winwatch/windowkind.h"

int32_t pickDragging = 0;
HWND pickCandidate = nullptr;
HWND pickHighlighted = nullptr;

namespace {

constexpr int kFrameWidth = 4; // pixels at 96 DPI, one DrawFocusRect ring each

// Draws the dotted frame along the inside of the target's outer edge, or
// erases it: the drawing is an exclusive-or, so a second call undoes the
// first. Does nothing on the dialog itself.
void toggleHighlightFrame(HWND target, HWND dialog)
{
    if (target == dialog)
        return;
    RECT r = {};
    GetWindowRect(target, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    HDC dc = GetWindowDC(target); // the whole window, non-client area included
    if (dc == nullptr)
        return;
    // As thick as the target's screen scale asks (6 rings at 150 %).
    const int rings = scaled(kFrameWidth, windowDpi(target));
    for (int i = 0; i < rings; ++i) {
        RECT ring = {i, i, w - i, h - i};
        DrawFocusRect(dc, &ring);
    }
    ReleaseDC(target, dc);
}

// Writes what kind of window the target is into the edit control.
void describeWindowClass(HWND edit, HWND target)
{
    char className[1024] = {};
    GetClassNameA(target, className, sizeof className);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(target, GWL_STYLE));
    SetWindowTextA(edit, windowKindText(className, style));
}

// The radio buttons in the order OK tests them; with none of them checked the
// condition is the fourth, WindowInactive.
struct RadioMode {
    int id;
    int32_t mode;
};
const RadioMode kTestedRadios[] = {
    {IDC_WATCH_RENAMED, WindowRenamed},
    {IDC_WATCH_DISABLED, WindowDestroyedOrDisabled},
    {IDC_WATCH_DESTROYED, WindowDestroyed},
};

int radioForMode(int32_t mode)
{
    switch (mode) {
    case WindowRenamed:             return IDC_WATCH_RENAMED;
    case WindowDestroyedOrDisabled: return IDC_WATCH_DISABLED;
    case WindowInactive:            return IDC_WATCH_INACTIVE;
    }
    return IDC_WATCH_DESTROYED; // also after a network watch or a countdown
}

int32_t checkedMode(HWND dialog)
{
    for (const RadioMode& radio : kTestedRadios) {
        if (IsDlgButtonChecked(dialog, radio.id) == BST_CHECKED)
            return radio.mode;
    }
    return WindowInactive;
}

// The desktop (the system's, or the shell's with the icons on it) never
// goes away: a watch on it could never end.
bool isDesktop(HWND window)
{
    HWND root = window;
    while ((GetWindowLongA(root, GWL_STYLE) & WS_CHILD) != 0 && GetParent(root) != nullptr)
        root = GetParent(root);
    return root == GetDesktopWindow() || FindWindowExA(root, nullptr, "SHELLDLL_DefView", nullptr) != nullptr;
}

// Windows the picker never stores: the program's own (the picker and its
// controls, the main window, every dialog; all made by this, its one
// user-interface thread), which the watch itself would end at once by
// closing, hiding or disabling them, and the desktop.
bool isRefused(HWND window)
{
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() || isDesktop(window);
}

// The candidate and the name fields as they were when a drag began, for
// Escape to put back.
struct PickBeforeDrag {
    HWND candidate;
    char kind[128];
    char title[256];
};
PickBeforeDrag g_beforeDrag;

// The dialog was made from the main window's module, which holds cursor 122.
HCURSOR dragCursor(HWND dialog)
{
    // At the system's cursor size for the dialog's scale; shared, so it is
    // loaded once and never freed by us.
    const int size = systemMetricFor(SM_CXCURSOR, windowDpi(dialog));
    return static_cast<HCURSOR>(
        LoadImageA(instanceOf(dialog), MAKEINTRESOURCEA(IDC_PICK_CURSOR), IMAGE_CURSOR, size, size, LR_SHARED));
}

// A press on the icon's edge does not lift it: the pointer must lie strictly
// inside the control's rectangle.
bool pointerStrictlyInside(HWND control)
{
    RECT r = {};
    POINT p = {};
    GetWindowRect(control, &r);
    GetCursorPos(&p);
    return r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
}

void initPicker(HWND dialog)
{
    SendDlgItemMessageA(dialog, radioForMode(g_app.monitorMode), BM_SETCHECK, BST_CHECKED, 0);
    pickCandidate = nullptr;
}

void startDrag(HWND dialog)
{
    HWND source = GetDlgItem(dialog, IDC_PICK_SOURCE);
    if (!pointerStrictlyInside(source))
        return;
    g_beforeDrag.candidate = pickCandidate;
    GetDlgItemTextA(dialog, IDC_PICK_CLASS, g_beforeDrag.kind, sizeof g_beforeDrag.kind);
    GetDlgItemTextA(dialog, IDC_PICK_TITLE, g_beforeDrag.title, sizeof g_beforeDrag.title);
    pickDragging = 1;
    SetCapture(dialog); // the mouse keeps talking to us over other windows
    ShowWindow(source, SW_HIDE); // the icon seems lifted: it is the cursor now
    SetCursor(dragCursor(dialog));
    InvalidateRect(dialog, nullptr, TRUE);
}

void moveHighlight(HWND dialog, HWND to)
{
    if (IsWindow(pickHighlighted))
        toggleHighlightFrame(pickHighlighted, dialog); // erases its frame
    pickHighlighted = to;
    toggleHighlightFrame(to, dialog);
}

void showCandidate(HWND dialog)
{
    describeWindowClass(GetDlgItem(dialog, IDC_PICK_CLASS), pickCandidate);
    char title[256] = {};
    GetWindowTextA(pickCandidate, title, sizeof title);
    SetDlgItemTextA(dialog, IDC_PICK_TITLE, title);
}

void onMouseMove(HWND dialog)
{
    if (!pickDragging) {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return;
    }
    SetCursor(dragCursor(dialog));
    POINT p = {};
    GetCursorPos(&p);
    pickCandidate = WindowFromPoint(p);
    if (pickCandidate == nullptr)
        return;
    if (pickCandidate != pickHighlighted)
        moveHighlight(dialog, pickCandidate);
    showCandidate(dialog); // also over the same window: its title may change
}

// However a drag ends, the frame goes, the icon comes back and the cursor and
// the capture are given back; the candidate stays picked.
void endDrag(HWND dialog)
{
    if (IsWindow(pickHighlighted))
        toggleHighlightFrame(pickHighlighted, dialog);
    pickHighlighted = nullptr;
    pickDragging = 0;
    ShowWindow(GetDlgItem(dialog, IDC_PICK_SOURCE), SW_SHOW);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (GetCapture() == dialog) // never take another window's capture away
        ReleaseCapture();
}

// The capture lost without a button release (Alt+Tab, another window taking
// it, the system's cancel mode), Escape, or the dialog closing in the middle
// of a drag: no frame may stay behind on another program's window.
void cancelDrag(HWND dialog)
{
    if (pickDragging)
        endDrag(dialog);
}

void onCaptureChanged(HWND dialog, HWND newCapture)
{
    if (newCapture != dialog)
        cancelDrag(dialog);
}

// The window under the pointer is dropped: the pick and the fields are what
// they were before the drag.
void restoreBeforeDrag(HWND dialog)
{
    pickCandidate = g_beforeDrag.candidate;
    SetDlgItemTextA(dialog, IDC_PICK_CLASS, g_beforeDrag.kind);
    SetDlgItemTextA(dialog, IDC_PICK_TITLE, g_beforeDrag.title);
}

WindowWatchChoice g_choice;

void confirmPick(HWND dialog)
{
    if (pickCandidate == nullptr || !isRefused(pickCandidate)) {
        g_choice.window = pickCandidate; // null when nothing was dragged
        g_choice.mode = checkedMode(dialog);
    }
    EndDialog(dialog, 0);
}

// Escape during a drag drops the drag and the window it found, as in any
// drag and drop; otherwise Cancel closes the dialog and stores nothing.
void onCancel(HWND dialog)
{
    if (pickDragging) {
        cancelDrag(dialog);
        restoreBeforeDrag(dialog);
    } else {
        EndDialog(dialog, 0);
    }
}

void onCommand(HWND dialog, int id)
{
    if (id == IDOK)
        confirmPick(dialog);
    else if (id == IDCANCEL)
        onCancel(dialog);
}

INT_PTR CALLBACK windowPickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        initPicker(dialog);
        break;
    case WM_LBUTTONDOWN:
        startDrag(dialog);
        break;
    case WM_MOUSEMOVE:
        onMouseMove(dialog);
        break;
    case WM_LBUTTONUP: // with or without a drag: the icon is shown either way
        endDrag(dialog);
        break;
    case WM_CAPTURECHANGED: // the system's cancel mode arrives this way too
        onCaptureChanged(dialog, reinterpret_cast<HWND>(lParam));
        break;
    case WM_DESTROY: // however it closes, OK and Enter in a drag included
        cancelDrag(dialog);
        break;
    case WM_COMMAND:
        onCommand(dialog, LOWORD(wParam));
        break;
    }
    return 0;
}

} // namespace

WindowWatchChoice runWindowPicker(HWND owner)
{
    g_choice = {nullptr, g_app.monitorMode};
    runModalDialog(owner, IDD_WINDOW_PICKER, windowPickerProc);
    return g_choice;
}
