# The seam itself (seam_system.cpp, seam_recorder.cpp) is linked per program:
# see the top CMakeLists.
set(SYSCALLS_PURE)
set(SYSCALLS_WIN32 syscalls/winsock_api.cpp)
