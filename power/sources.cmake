# The seam (seam_system.cpp / seam_recorder.cpp) is linked per program, not here.
set(POWER_PURE power/confirmtext.cpp power/powerflags.cpp)
set(POWER_WIN32 power/power.cpp power/notify.cpp power/confirm.cpp power/dialogpaint.cpp)
