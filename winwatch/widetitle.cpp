#include "winwatch/widetitle.h"

#include "base/platform.h"
#include "winwatch/windowkind.h"

namespace {

using GetLengthFn = int(WINAPI*)(HWND);
using GetTextFn = int(WINAPI*)(HWND, LPWSTR, int);

} // namespace

bool wideTitleFingerprint(HWND window, uint64_t& fingerprint)
{
    // Bound at run time: the program imports no Unicode calls, so its import
    // list stays the one Windows 95 and NT 4.0 have.
    if (!isNtPlatform())
        return false;
    const auto getLength = systemFunction<GetLengthFn>("user32.dll", "GetWindowTextLengthW");
    const auto getText = systemFunction<GetTextFn>("user32.dll", "GetWindowTextW");
    if (getLength == nullptr || getText == nullptr)
        return false;
    // On the stack: no heap calls, so the import list stays as it was. A
    // title longer than the buffer still shows a change of its length.
    WCHAR text[32768];
    const int length = getLength(window);
    const int got = getText(window, text, static_cast<int>(sizeof text / sizeof text[0]));
    fingerprint = titleFingerprint(reinterpret_cast<const uint16_t*>(text), static_cast<size_t>(got)) ^
                  static_cast<uint64_t>(length);
    return true;
}
