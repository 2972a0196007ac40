# Cross-compiles the 32-bit Windows plug-ins with MinGW-w64, win32 thread
# model. The posix model links winpthreads into each DLL, and winpthreads
# keeps a thread-local-storage slot and a kernel handle of the process at
# every load: a host that loads a plug-in for each command runs out of slots
# after about a thousand loads. The win32 model builds on the Win32 calls
# directly. (GCC 12 then has no std::thread or std::mutex; the tests use
# tests/common/TestThread.h.)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
