# 64-bit Windows with Debian's MinGW-w64 (posix threads):
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVANTRELL_WINDOWS_PREFIX=<prefix> ...
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTRELL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
