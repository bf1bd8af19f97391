// Skins: the built-in one and the directories under skins\ beside the program.
#pragma once
#include <windows.h>

#include <cstddef>

// Makes the skin directory `name` current (null or empty: the built-in skin).
// A name that cannot address a skin directory (too long for skinName or for a
// path, or not a plain directory name) loads the built-in skin. Returns 1.
int loadSkin(HWND window, const char* name);
// Makes the built-in skin current and empties skinName. Returns 1.
int loadBuiltInSkin(HWND window);
// Loads the k-th skin (from 0) in enumeration order; nothing if there are
// fewer. Returns 1.
int selectSkinByIndex(HWND window, int k);

// Visits the skin directories in the order the file system lists them, with
// their index (the one selectSkinByIndex and the menu ids use). The callback
// returns false to stop. Returns the number of skins visited.
using SkinDirectoryCallback = bool (*)(void* context, int index, const char* name);
int forEachSkinDirectory(SkinDirectoryCallback callback, void* context);

// The display name of a skin (key NAME of its skin.ini; empty if absent).
void readSkinDisplayName(const char* name, char* out, size_t size);
