#!/usr/bin/env bash
# Builds Qt's base modules (Core, Gui, Widgets, Network, Test) for 64-bit
# Windows with Debian's MinGW-w64, from Debian's own source package of the
# Qt version installed on this machine, into PREFIX:
#   scripts/build-qt-mingw.sh PREFIX
# About 45 minutes on 2 cores: never part of the test command. The Windows
# pass then takes it as VANTRELL_QT_MINGW=PREFIX.
#
# The source comes through `apt-get source` with a private deb-src list (the
# system's sources stay as they are); moc, rcc and uic are the host's Qt
# (QT_HOST_PATH). Bundled zlib, pcre2, libpng, libjpeg, freetype, harfbuzz and
# double-conversion; no OpenGL, SQL, D-Bus, print support, concurrent or
# OpenSSL (Schannel serves TLS); no tablet events (Debian's source leaves out
# the header they need).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
prefix=$(realpath -m "${1:?usage: scripts/build-qt-mingw.sh PREFIX}")
triple=x86_64-w64-mingw32

scripts/install-deps.sh
scripts/install-windows-tools.sh

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
work=$(realpath -m "${VANTRELL_QT_WORK:-build-qt-mingw}")
mkdir -p "$work/apt/lists/partial"

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $codename main" \
  >"$work/apt/sources.list"
apt_private=(-q -o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$work/apt/lists" -o APT::Sandbox::User=root)
apt-get "${apt_private[@]}" update >/dev/null
(cd "$work/apt" && apt-get "${apt_private[@]}" source --download-only "qt6-base=$version" >/dev/null)

tarball=$(ls "$work"/apt/qt6-base_*.orig.tar.* | head -1)
src=$work/$(tar tf "$tarball" | head -1 | cut -d/ -f1)
if [ ! -d "$src" ]; then
  tar xf "$tarball" -C "$work"
  # The Windows platform plugin of 6.4 does not compile without OpenGL:
  # its dynamic-GL code is guarded by dynamicgl alone.
  sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$src/src/plugins/platforms/windows/qwindowswindow.cpp"
fi

cat >"$work/toolchain.cmake" <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER   $triple-gcc-posix)
set(CMAKE_CXX_COMPILER $triple-g++-posix)
set(CMAKE_RC_COMPILER  $triple-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triple)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

off=(sql opengl dbus printsupport concurrent openssl tabletevent)
bundled=(zlib pcre2 png jpeg freetype harfbuzz doubleconversion)
features=()
for f in "${off[@]}"; do features+=("-DFEATURE_$f=OFF"); done
for f in "${bundled[@]}"; do features+=("-DFEATURE_system_$f=OFF"); done

cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF "${features[@]}"
ninja -C "$work/build"
ninja -C "$work/build" install
find "$prefix" -name '*.dll' -exec $triple-strip --strip-debug {} +
echo "build-qt-mingw: Qt $version for $triple in $prefix (VANTRELL_QT_MINGW=$prefix)"
cd "$root"
