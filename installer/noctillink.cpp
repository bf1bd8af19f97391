// noctillink: offers a Start-menu shortcut to noctil and always writes the
// shortcut beside it that starts noctil armed for 08:00.
#include <windows.h>
#include <shlobj.h>

#include "base/platform.h"
#include "base/sjistext.h"
#include "installer/shortcut.h"

namespace {

// The user's Programs folder. SHGetSpecialFolderPathA came with the shell of
// Internet Explorer 4; the first Windows 95 and NT 4.0 answer through an item
// list instead.
bool findProgramsFolder(char (&folder)[460])
{
    using SpecialFolderPathFn = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
    const auto specialFolderPath = systemFunction<SpecialFolderPathFn>("shell32.dll", "SHGetSpecialFolderPathA");
    if (specialFolderPath != nullptr)
        return specialFolderPath(nullptr, folder, CSIDL_PROGRAMS, FALSE) != FALSE;
    return findProgramsFolderByItemList(folder);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    restrictLibrarySearch();
    char programDirectory[360];
    const DWORD n = GetModuleFileNameA(nullptr, programDirectory, sizeof programDirectory);
    if (n == 0 || n >= sizeof programDirectory)
        return 0;
    stripFileNameWith(programDirectory, systemLeadByte);
    removeTrailingBackslashWith(programDirectory, systemLeadByte);

    char programsFolder[460] = {};
    const bool haveFolder = findProgramsFolder(programsFolder);
    installShortcuts(programDirectory, haveFolder ? programsFolder : nullptr);
    return 0;
}
