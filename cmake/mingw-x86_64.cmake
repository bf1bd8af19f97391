# The 64-bit build of the same sources: the Win32 test layers run on it under
# 64-bit Wine where this machine runs no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
