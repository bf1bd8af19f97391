set(UI_PURE ui/aboutlinks.cpp ui/skincolor.cpp ui/skinpath.cpp)
set(UI_WIN32 ui/tray.cpp ui/display.cpp ui/face.cpp ui/skin.cpp ui/menu.cpp ui/about.cpp)
