set(UI_PURE)
set(UI_WIN32 ui/tray.cpp ui/display.cpp ui/skin.cpp ui/menu.cpp ui/about.cpp
    ui/skin_pending.cpp) # skin_pending.cpp: until the skin loader has selectSkinByIndex
