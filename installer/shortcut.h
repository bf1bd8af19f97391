// Writing shell shortcuts (.LNK files) for noctillink.
#pragma once
#include <windows.h>

// Writes one shortcut. Returns the result of the last step that ran among
// creating the link object, asking it for IPersistFile and saving.
HRESULT createShortcut(const char* target, const char* linkPath, const char* arguments,
                       const char* description, const char* workingDirectory,
                       const char* iconPath, int iconIndex);

// The whole installer: the Start-menu question, then the two shortcuts.
// `programDirectory` is the directory of noctil.exe without a trailing
// backslash; `programsFolder` is null when the Start menu could not be found.
void installShortcuts(const char* programDirectory, const char* programsFolder);

// The user's Programs folder through the shell's item list, as the first
// Windows 95 and NT 4.0 give it (they lack SHGetSpecialFolderPathA).
bool findProgramsFolderByItemList(char (&folder)[460]);

// The 8 a.m. shortcut's file name ("午前８時に終了").
extern const char kEightAmLinkName[];
