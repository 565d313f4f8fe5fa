#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Non-interactive and idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  nlohmann-json3-dev libcli11-dev
  libpugixml-dev libcurl4-openssl-dev libcpp-httplib-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  xvfb xauth imagemagick fonts-nanum fonts-dejavu-core
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
