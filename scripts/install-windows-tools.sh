#!/usr/bin/env bash
# Installs the Debian packages the Windows pass needs: the MinGW-w64
# cross-compilers (posix threads) for 64- and 32-bit Windows, and Wine to run
# what they build. 32-bit Wine comes from the i386 architecture (multiarch);
# when it cannot be installed, the pass says so and runs the 64-bit half.
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
updated=false
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -q
  updated=true
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! installed wine32:i386; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    updated=false
  fi
  $updated || $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends wine32:i386 ||
    echo "install-windows-tools: 32-bit Wine (wine32:i386) could not be installed"
fi
echo "install-windows-tools: ready"
