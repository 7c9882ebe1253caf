# Cross-building for 64-bit Windows from Debian with MinGW-w64 (the package
# g++-mingw-w64-x86-64-win32). Programs built here run under Wine, which
# CMake uses to run the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
# The win32 flavour: its runtime locks and keeps per-thread data with the
# system's own calls. The posix flavour links a POSIX thread library into
# every program that throws an exception, and with it imports of calls that
# this game never makes (setting the system time, suspending threads,
# opening other processes), which antivirus programs look upon with
# suspicion. The flavour has no std::thread or std::mutex: the platform
# uses the system's threads and locks instead. (C is for GoogleTest, whose
# project asks for it.)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-win32)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-win32)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program, the tests too, carries the compiler's runtime inside it:
# Wine finds no libstdc++ DLL to load.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests run under Wine, quietly, in a prefix of the build's own, created on
# first use. DISPLAY is emptied so that Wine opens no window, and the .NET
# and HTML runtimes, which no program here needs, are not installed.
find_program(TESSAN_WINE wine)
if(TESSAN_WINE AND NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all DISPLAY=
      WINEDLLOVERRIDES=mscoree,mshtml= ${TESSAN_WINE})
endif()
