# 32-bit Windows (for a maker's 32-bit driver DLL) with Debian's MinGW-w64:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DVANTRELL_WINDOWS_PREFIX=<prefix> ...
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VANTRELL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
