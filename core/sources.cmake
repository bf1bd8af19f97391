# Application core. *_PURE: no windows.h (built natively for tests and fuzzing).
set(CORE_PURE core/timecalc.cpp core/cmdline.cpp core/facehit.cpp core/localclock.cpp core/paths.cpp core/placement.cpp
    core/spinner.cpp core/statusline.cpp core/textformat.cpp)
set(CORE_WIN32 core/appstate.cpp core/entry.cpp core/mainwindow.cpp core/tick.cpp core/firing.cpp
    core/commands.cpp core/modal.cpp core/platform.cpp)
