#include "ui/notice.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "base/sjistext.h"

const char kNoticeCaption[] = "Noctil - お知らせ";

namespace {

std::atomic<int32_t> g_open{0};
char g_text[512];

DWORD WINAPI noticeThread(void*)
{
    MessageBoxA(nullptr, g_text, kNoticeCaption, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
    g_open = 0;
    return 0;
}

} // namespace

bool showNotice(const char* text)
{
    if (g_open.exchange(1) != 0)
        return false;
    copyText(g_text, sizeof g_text, text);
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, noticeThread, nullptr, 0, &threadId);
    if (thread == nullptr) {
        g_open = 0;
        return false;
    }
    CloseHandle(thread);
    return true;
}

bool noticeOpen()
{
    return g_open.load() != 0;
}
