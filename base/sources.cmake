# The base layer. *_PURE: no windows.h (built natively for tests and fuzzing).
# runtime.cpp is linked by the shipped programs only (see the top CMakeLists).
set(BASE_PURE base/scale.cpp base/sleepgap.cpp base/timecalc.cpp base/cmdline.cpp base/localclock.cpp base/sjistext.cpp base/textformat.cpp)
set(BASE_WIN32 base/platform.cpp base/screenscale.cpp)
