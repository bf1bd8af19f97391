// noctillink: offers a Start-menu shortcut to noctil and always writes the
// shortcut beside it that starts noctil armed for 08:00.
#include <windows.h>
#include <shlobj.h>

#include "core/paths.h"
#include "installer/shortcut.h"

namespace {

bool systemLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char programDirectory[360];
    const DWORD n = GetModuleFileNameA(nullptr, programDirectory, sizeof programDirectory);
    if (n == 0 || n >= sizeof programDirectory)
        return 0;
    stripFileNameWith(programDirectory, systemLeadByte);
    removeTrailingBackslashWith(programDirectory, systemLeadByte);

    char programsFolder[460] = {};
    const bool haveFolder = SHGetSpecialFolderPathA(nullptr, programsFolder, CSIDL_PROGRAMS, FALSE) != FALSE;
    installShortcuts(programDirectory, haveFolder ? programsFolder : nullptr);
    return 0;
}
