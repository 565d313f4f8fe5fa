# 64-bit Windows with Debian's MinGW-w64 (posix threads):
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVANTRELL_WINDOWS_PREFIX=<prefix> ...
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTRELL_MINGW_TRIPLE x86_64-w64-mingw32)
# Debian keeps the 64-bit loader out of PATH; `wine` may be the 32-bit one.
find_program(VANTRELL_WINE NAMES wine64 wine HINTS /usr/lib/wine REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
