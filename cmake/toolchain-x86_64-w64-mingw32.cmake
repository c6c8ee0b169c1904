# 64-bit Windows: the same code, the build that runs under Wine in tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
# Tests of the Windows build run under Wine; see scripts/wine-run.sh.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
# The win32 thread model: the runtime's locks and once-guards are plain Win32 calls, so the DLL
# carries no pthreads layer (smaller, and with fewer objects that the DLL, pinned at its first
# load, keeps until the process ends). Named explicitly so the system's choice of default cross
# compiler does not matter.
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
