# The cross build for Windows with MinGW-w64, win32 thread model: the program
# runs one thread, and the posix model's winpthreads imports functions that
# Windows 95 to XP do not have. The toolchain files set the processor.
set(CMAKE_SYSTEM_NAME Windows)
set(mingw ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER   ${mingw}-gcc-win32)
set(CMAKE_CXX_COMPILER ${mingw}-g++-win32)
set(CMAKE_RC_COMPILER  ${mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
