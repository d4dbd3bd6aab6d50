# Windows x64 programs from Debian's MinGW-w64 compilers (POSIX threads, which
# std::thread needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TORIC_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TORIC_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TORIC_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TORIC_MINGW}-windres)

# Headers and libraries of the target only; programs of the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TORIC_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
