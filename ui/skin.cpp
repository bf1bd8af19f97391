#include "ui/skin.h"

#include "base/platform.h"
#include "base/sjistext.h"
#include "state/appstate.h"
#include "ui/display.h"
#include "ui/skincolor.h"
#include "ui/skinpath.h"
#include "ui/uistate.h"

namespace {

// The path of `file` in skin directory `name`; false (and `out` empty) when it
// cannot be formed within `size` bytes.
bool skinFilePath(char* out, size_t size, const char* name, const char* file)
{
    return composeSkinFilePath(out, size, g_app.programDirectory, name, file, systemLeadByte);
}

const char kSkinSection[] = "SKIN";
const char kDefaultColor[] = "#000000";

COLORREF readSkinColor(const char* iniPath, const char* key)
{
    char value[10]; // only the first 7 characters make the colour
    GetPrivateProfileStringA(kSkinSection, key, kDefaultColor, value, sizeof value, iniPath);
    return parseHexColor(value);
}

bool skinAddressable(const char* name)
{
    char path[kSkinPathSize];
    return skinFilePath(path, sizeof path, name, "skin.ini") && skinFilePath(path, sizeof path, name, "skin.bmp");
}

struct SelectSearch {
    int wanted;
    bool found;
    char name[MAX_PATH];
};

bool pickIndex(void* context, int index, const char* name)
{
    SelectSearch* search = static_cast<SelectSearch*>(context);
    if (index != search->wanted)
        return true;
    search->found = copyText(search->name, sizeof search->name, name);
    return false;
}

// From 175 % on, the skin's skin@2x.bmp where it has one; else skin.bmp
// scaled. A missing or unreadable skin.bmp leaves the sheet as it was.
void drawSkinSheet(HWND window, const char* name, const char* bitmapPath)
{
    const SheetDrawing how = sheetDrawing(g_ui.dpi, true);
    char doublePath[kSkinPathSize];
    if (how.doubleSheet && skinFilePath(doublePath, sizeof doublePath, name, "skin@2x.bmp")
        && drawSheet(window, 0, doublePath, how))
        return;
    drawSheet(window, 0, bitmapPath, sheetDrawing(g_ui.dpi, false));
}

} // namespace

void readSkinDisplayName(const char* name, char* out, size_t size)
{
    if (size == 0)
        return;
    out[0] = '\0';
    char iniPath[kSkinPathSize];
    if (skinFilePath(iniPath, sizeof iniPath, name, "skin.ini"))
        GetPrivateProfileStringA(kSkinSection, "NAME", "", out, static_cast<DWORD>(size), iniPath);
}

int forEachSkinDirectory(SkinDirectoryCallback callback, void* context)
{
    char pattern[kSkinPathSize];
    if (!copyText(pattern, sizeof pattern, g_app.programDirectory) || !appendText(pattern, sizeof pattern, "skins\\*"))
        return 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int index = 0;
    do {
        // A directory whose files cannot be named is left out, so the menu
        // never offers a skin that would not load.
        if (!isSkinDirectoryEntry(entry.dwFileAttributes, entry.cFileName) || !skinAddressable(entry.cFileName))
            continue;
        const bool more = callback(context, index, entry.cFileName);
        ++index;
        if (!more)
            break;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return index;
}

int loadBuiltInSkin(HWND window)
{
    g_app.options.skinName[0] = '\0';
    g_ui.textColor1 = kBuiltInTextColor1;
    g_ui.textColor2 = kBuiltInTextColor2;
    g_ui.textColor3 = kBuiltInTextColor3;
    drawBuiltInSheet(window);
    drawSkinElement(window, g_ui.backgroundSurface, Panel, nullptr, 0, 0, SRCCOPY);
    g_ui.faceStale = 1;
    return 1;
}

int loadSkin(HWND window, const char* name)
{
    if (name == nullptr || name[0] == '\0')
        return loadBuiltInSkin(window);
    char iniPath[kSkinPathSize];
    char bitmapPath[kSkinPathSize];
    if (!skinFilePath(iniPath, sizeof iniPath, name, "skin.ini") ||
        !skinFilePath(bitmapPath, sizeof bitmapPath, name, "skin.bmp"))
        return loadBuiltInSkin(window); // never a cut or overlong name
    if (name != g_app.options.skinName)
        copyText(g_app.options.skinName, sizeof g_app.options.skinName, name);
    g_ui.textColor1 = readSkinColor(iniPath, "TEXTCOLOR1");
    g_ui.textColor2 = readSkinColor(iniPath, "TEXTCOLOR2");
    g_ui.textColor3 = readSkinColor(iniPath, "TEXTCOLOR3");
    drawSkinSheet(window, name, bitmapPath);
    drawSkinElement(window, g_ui.backgroundSurface, Panel, nullptr, 0, 0, SRCCOPY);
    g_ui.faceStale = 1;
    return 1;
}

int selectSkinByIndex(HWND window, int k)
{
    SelectSearch search = {k, false, {}};
    if (k >= 0)
        forEachSkinDirectory(pickIndex, &search);
    if (search.found)
        loadSkin(window, search.name);
    return 1;
}
