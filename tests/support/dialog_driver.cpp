#include "tests/support/dialog_driver.h"

#include <cstring>

DialogDriver::DialogDriver(const char* caption, Script script, DWORD timeoutMs)
    : caption_(caption), script_(std::move(script)), timeoutMs_(timeoutMs)
{
    thread_ = std::thread([this] { run(); });
}

DialogDriver::~DialogDriver()
{
    join();
}

void DialogDriver::join()
{
    if (thread_.joinable())
        thread_.join();
}

void DialogDriver::run()
{
    const DWORD start = GetTickCount();
    HWND dialog = nullptr;
    while (dialog == nullptr && GetTickCount() - start < timeoutMs_) {
        dialog = findOwnWindow(caption_.c_str());
        if (dialog == nullptr)
            Sleep(10);
    }
    if (dialog == nullptr)
        return;
    found_ = true;
    script_(dialog);
    // The script should have ended the dialog; give it a moment to go.
    const DWORD closing = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - closing < 2000)
        Sleep(10);
    if (IsWindow(dialog)) {
        leftOpen_ = true;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

std::string fieldText(HWND dialog, int id)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void setField(HWND dialog, int id, const char* text)
{
    SetDlgItemTextA(dialog, id, text);
}

void pressArrow(HWND dialog, int editId, bool up)
{
    HWND edit = GetDlgItem(dialog, editId);
    const WPARAM key = up ? VK_UP : VK_DOWN;
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
    const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (1L << 24); // extended key
    SendMessageA(edit, WM_KEYDOWN, key, down);
    SendMessageA(edit, WM_KEYUP, key, down | static_cast<LPARAM>(0xC0000000u)); // previous state, released
}

void clickButton(HWND dialog, int id)
{
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

bool isChecked(HWND dialog, int id)
{
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
