set(POWER_PURE power/confirmtext.cpp power/powerflags.cpp)
set(POWER_WIN32 power/power.cpp power/notify.cpp power/confirm.cpp power/sleepwatch.cpp power/keepawake.cpp)
