#include "installer/shortcut.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "base/platform.h"
#include "base/textformat.h"

const char kEightAmLinkName[] = "午前８時に終了";

namespace {

const char kProgramFile[] = "noctil.exe";
const char kStartMenuName[] = "Noctil!";
constexpr int kPathBuffer = 460;

// The shell-link object and its two interfaces, written out here: the import
// library's copies come in one block with hundreds of others.
const CLSID kShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The three calls of the COM library, bound from the system directory: a file
// named ole32.dll in the folder the user unpacked us into is not ours to run.
struct ComLibrary {
    HRESULT(WINAPI* initialize)(LPVOID);
    HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    void(WINAPI* uninitialize)();
};

bool bindComLibrary(ComLibrary& com)
{
    HMODULE ole = loadSystemLibrary("ole32.dll");
    return bindFunction(ole, "CoInitialize", com.initialize)
           && bindFunction(ole, "CoCreateInstance", com.createInstance)
           && bindFunction(ole, "CoUninitialize", com.uninitialize);
}

// "%s\%s" or "%s\%s.LNK" into a path buffer; false when it would not fit.
bool formatPath(char (&out)[kPathBuffer], const char* format, const char* dir, const char* name)
{
    const int n = formatText(out, sizeof out, format, dir, name);
    return n > 0 && n < static_cast<int>(sizeof out);
}

} // namespace

HRESULT createShortcut(const char* target, const char* linkPath, const char* arguments,
                       const char* description, const char* workingDirectory,
                       const char* iconPath, int iconIndex)
{
    WCHAR widePath[MAX_PATH];
    // A path the wide buffer cannot hold is refused rather than cut short.
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) == 0)
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);

    ComLibrary com;
    if (!bindComLibrary(com))
        return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    const HRESULT init = com.initialize(nullptr);
    IShellLinkA* link = nullptr;
    HRESULT hr = com.createInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkA,
                                    reinterpret_cast<void**>(&link));
    if (SUCCEEDED(hr)) {
        link->SetArguments(arguments);
        link->SetDescription(description);
        link->SetWorkingDirectory(workingDirectory);
        link->SetIconLocation(iconPath, iconIndex);
        link->SetPath(target);
        IPersistFile* file = nullptr;
        hr = link->QueryInterface(kPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(hr)) {
            hr = file->Save(widePath, TRUE);
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        com.uninitialize();
    return hr;
}

bool findProgramsFolderByItemList(char (&folder)[460])
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &items)))
        return false;
    char path[MAX_PATH];
    const bool found = SHGetPathFromIDListA(items, path) != FALSE;
    IMalloc* shellMalloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shellMalloc))) {
        shellMalloc->Free(items);
        shellMalloc->Release();
    }
    if (found)
        formatText(folder, sizeof folder, "%s", path);
    return found;
}

void installShortcuts(const char* programDirectory, const char* programsFolder)
{
    char target[kPathBuffer];
    char linkPath[kPathBuffer];
    if (!formatPath(target, "%s\\%s", programDirectory, kProgramFile))
        return;

    // Without a Start menu folder there is nothing sensible to offer.
    if (programsFolder != nullptr && formatPath(linkPath, "%s\\%s.LNK", programsFolder, kStartMenuName)) {
        const int answer = MessageBoxA(nullptr, "Noctil! のショートカットをスタートメニューに入れますか？",
                                       "Noctil!", MB_YESNO | MB_ICONINFORMATION);
        if (answer == IDYES)
            createShortcut(target, linkPath, "", "", programDirectory, "", 1);
    }

    if (formatPath(linkPath, "%s\\%s.LNK", programDirectory, kEightAmLinkName))
        createShortcut(target, linkPath, "8", "", programDirectory, "", 1);
}
