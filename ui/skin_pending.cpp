// Stand-in for the skin loader's selectSkinByIndex, so that the menu commands
// link and run before the loader is joined. Delete this file (and its line in
// ui/sources.cmake) when ui/skin.cpp defines selectSkinByIndex.
#include "ui/menu.h"
#include "ui/skin.h"

namespace {

struct Selection {
    HWND window;
    int wanted;
};

bool loadWhenReached(void* context, int index, const char* name)
{
    Selection* selection = static_cast<Selection*>(context);
    if (index != selection->wanted)
        return true;
    loadSkin(selection->window, name);
    return false;
}

} // namespace

int selectSkinByIndex(HWND window, int k)
{
    Selection selection = {window, k};
    enumerateMenuSkins(loadWhenReached, &selection);
    return 1;
}
