#!/usr/bin/env bash
# Installs the Debian packages the Windows pass needs: the MinGW-w64
# cross-compilers (posix threads) for 64- and 32-bit Windows, and Wine to run
# what they build (64-bit Wine). 32-bit Wine (wine32:i386, multiarch) is not
# installed: it needs a kernel that runs 32-bit programs, which the build
# machines lack, and once installed Debian's `wine` prefers its 32-bit loader.
# Where it runs, the Windows pass runs the 32-bit tests under it too.
# Non-interactive and idempotent.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine64 xvfb xauth
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

echo "install-windows-tools: ready"
