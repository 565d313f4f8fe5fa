#!/usr/bin/env bash
# Builds the libraries the Windows build needs into a cross prefix, from
# Debian's own sources: scripts/windows-deps.sh PREFIX TRIPLE
#   GoogleTest and GoogleMock from /usr/src/googletest (googletest package),
#   pugixml and the single-header cpp-httplib from Debian's source packages
#   (fetched with `apt-get source` through a private deb-src list, never
#   touching the system's sources), and the header-only JSON and CLI11 as
#   Debian installs them. Reruns skip what is already in PREFIX.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$(realpath -m "${1:?prefix}")
triple=${2:?"triple: x86_64-w64-mingw32 or i686-w64-mingw32"}
case $triple in
  x86_64-w64-mingw32) toolchain=$PWD/cmake/mingw-w64-x86_64.cmake ;;
  i686-w64-mingw32) toolchain=$PWD/cmake/mingw-w64-i686.cmake ;;
  *) echo "windows-deps: unknown triple $triple" >&2; exit 4 ;;
esac
work=$prefix/.work
mkdir -p "$prefix/include" "$prefix/share/cmake" "$work"

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cross_cmake() {  # source-dir build-dir [options...]
  local src=$1 bld=$2
  shift 2
  cmake -S "$src" -B "$bld" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DVANTRELL_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
  cmake --build "$bld" --parallel "$(nproc)" >/dev/null
  cmake --install "$bld" >/dev/null
}

# Debian's source packages, downloaded once into the prefix's work folder.
debian_source() {  # package -> prints the unpacked orig tarball's top folder
  local package=$1 dir=$work/apt
  if ! ls "$dir/${package}"_*.orig.tar.* >/dev/null 2>&1; then
    mkdir -p "$dir/lists/partial"
    local codename
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $codename main" \
      >"$dir/sources.list"
    local apt_private=(-q -o Dir::Etc::SourceList="$dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
      -o Dir::State::Lists="$dir/lists" -o APT::Sandbox::User=root)
    [ -e "$dir/lists/.updated" ] || { apt-get "${apt_private[@]}" update >/dev/null && touch "$dir/lists/.updated"; }
    (cd "$dir" && apt-get "${apt_private[@]}" source --download-only "$package" >/dev/null)
  fi
  local tarball top
  tarball=$(ls "$dir/${package}"_*.orig.tar.* | head -1)
  top=$(tar tf "$tarball" | head -1 | cut -d/ -f1)
  [ -d "$work/$top" ] || tar xf "$tarball" -C "$work"
  echo "$work/$top"
}

if [ ! -e "$prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "windows-deps: GoogleTest for $triple"
  cross_cmake /usr/src/googletest "$work/googletest" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
fi
if [ ! -e "$prefix/lib/cmake/pugixml/pugixml-config.cmake" ]; then
  echo "windows-deps: pugixml for $triple"
  cross_cmake "$(debian_source pugixml)" "$work/pugixml" -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
fi
if [ ! -e "$prefix/include/httplib.h" ]; then
  echo "windows-deps: cpp-httplib's single header"
  cp "$(debian_source cpp-httplib)/httplib.h" "$prefix/include/httplib.h"
fi
if [ ! -e "$prefix/share/cmake/nlohmann_json" ]; then
  cp -r /usr/include/nlohmann "$prefix/include/"
  cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
fi
if [ ! -e "$prefix/share/cmake/CLI11" ]; then
  cp -r /usr/include/CLI "$prefix/include/"
  cp -r /usr/share/cmake/CLI11 "$prefix/share/cmake/"
fi
echo "windows-deps: $prefix ready for $triple"
