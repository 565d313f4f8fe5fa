# What both MinGW-w64 toolchain files share. They set VANTRELL_MINGW_TRIPLE
# (x86_64-w64-mingw32 or i686-w64-mingw32) before including this file.
#
# The cross prefix (VANTRELL_WINDOWS_PREFIX, made by scripts/windows-deps.sh)
# holds the libraries built for Windows: GoogleTest, pugixml, the header-only
# JSON, CLI11 and cpp-httplib, and the Qt 6 for MinGW when one is given.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${VANTRELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTRELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${VANTRELL_MINGW_TRIPLE}-windres)

# Build tools (the resource embedder, the image writer) and the tests'
# discovery run through Wine.
find_program(VANTRELL_WINE NAMES wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTRELL_WINE})

set(CMAKE_FIND_ROOT_PATH /usr/${VANTRELL_MINGW_TRIPLE} ${VANTRELL_WINDOWS_PREFIX} ${VANTRELL_QT_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# try_compile() projects read this file again and need the same roots.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANTRELL_WINDOWS_PREFIX VANTRELL_QT_MINGW)
