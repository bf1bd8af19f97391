set(UI_PURE ui/aboutlinks.cpp ui/facehit.cpp ui/placement.cpp ui/skincolor.cpp ui/skinpath.cpp ui/spinner.cpp
    ui/statusline.cpp)
set(UI_WIN32 ui/uistate.cpp ui/modal.cpp ui/notice.cpp ui/dialogpaint.cpp ui/tray.cpp ui/display.cpp ui/face.cpp ui/skin.cpp ui/menu.cpp
    ui/about.cpp)
