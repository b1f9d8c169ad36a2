# Cross-building the Windows game on Debian with its MinGW-w64 compilers
# (the posix thread model, which std::thread and std::mutex need), and running
# what it builds (the tests) under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine; CTest and gtest_discover_tests go through it.
find_program(VARNISK_WINE NAMES wine wine64 wine-stable)
if(VARNISK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VARNISK_WINE})
endif()
