# Window monitor. *_PURE: no windows.h (built natively for tests and fuzzing).
set(WINWATCH_PURE winwatch/windowkind.cpp)
set(WINWATCH_WIN32 winwatch/picker.cpp winwatch/widetitle.cpp)
