// Skins: the built-in one and the directories under skins\ beside the program.
#pragma once
#include <windows.h>

// Loads the skin directory `name` (empty: the built-in skin) into the sheet,
// the background and the text colours.
void loadSkin(HWND window, const char* name);
// Loads the k-th skin (from 0) in enumeration order; nothing if there are
// fewer. Returns 1.
int selectSkinByIndex(HWND window, int k);
