// The about box and the help file.
#pragma once
#include <windows.h>

#include "ui/aboutlinks.h"

// The project's own web page and mail address, shown and opened as links.
extern const char kAboutWebLink[];
extern const char kAboutMailLink[];

// Opens the modal about box (dialog 112) on `owner`. Returns its end code.
INT_PTR runAboutDialog(HWND owner);

// Colours of a link: normal and while the pointer is over it.
constexpr COLORREF kLinkColor = 0x00FF3030;
constexpr COLORREF kLinkHotColor = 0x003030FF;

// Opens noctilhelp.chm beside the program through the shell.
void openHelpFile();

