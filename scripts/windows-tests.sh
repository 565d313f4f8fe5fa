#!/usr/bin/env bash
# The Windows pass: cross-builds every target for 64-bit Windows with
# Debian's MinGW-w64 and runs every test program under Wine, once per
# program; then the 32-bit build of the core and the simulator, whose tests
# run under 32-bit Wine when it could be installed.
#   scripts/windows-tests.sh            (part of scripts/run-tests.sh)
# The windows and the command line need a Qt 6 for MinGW: $VANTRELL_QT_MINGW,
# else ../shared/qt6-mingw64 when present (scripts/build-qt-mingw.sh builds
# one); without it those targets are left out and the pass says so.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-windows-tools.sh
# Every Wine program of the pass on one virtual display: Wine's desktop
# process stays on the display it first found for as long as its server
# runs, and the windowed programs need it.
if [ -z "${VANTRELL_WINDOWS_DISPLAY:-}" ]; then
  VANTRELL_WINDOWS_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

qt=${VANTRELL_QT_MINGW:-}
if [ -z "$qt" ] && [ -d ../shared/qt6-mingw64 ]; then qt=$(realpath ../shared/qt6-mingw64); fi
if [ -n "$qt" ] && [ ! -e "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "windows: $qt holds no Qt 6 for MinGW" >&2
  exit 4
fi

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

# build_tree DIR TRIPLE TOOLCHAIN [cmake options...]
build_tree() {
  local dir=$1 triple=$2 toolchain=$3
  shift 3
  scripts/windows-deps.sh "build-win-deps/${triple%%-*}" "$triple"
  cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
    -DVANTRELL_WINDOWS_PREFIX="$root/build-win-deps/${triple%%-*}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTRELL_WERROR=ON -DVANTRELL_BUILD_BENCHMARKS=OFF "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)" "${build_targets[@]}"
}
build_targets=()

# One Wine for the whole pass, in a prefix of its own, without the .NET and
# HTML engines Wine would otherwise offer to download.
export WINEPREFIX=$root/build-win64/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Debian's `wine` prefers the 32-bit loader when wine32 is installed.
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver64 || echo /usr/lib/wine/wineserver64)
[ -x "$wineserver" ] || wineserver=wineserver
wine32=/usr/lib/wine/wine
wine_ready() {
  "$wineserver" -k 2>/dev/null || true  # one left from a run on another display
  mkdir -p "$WINEPREFIX"
  "$wine64" wineboot --init >/dev/null 2>&1 || true
  # A virtual desktop: Wine draws the windows' frames itself, and hiding a
  # window no longer waits two seconds for a window manager that is not there.
  "$wine64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$wine64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
  "$wineserver" -w
}

failed=()
# run_program NAME EXE [ARGS...]: one Wine start for a whole test program,
# its full output kept beside the tree, its summary shown.
# Tests known to fail under Wine, each with its reason, are left out and
# named: tests/windows-known-failures.txt ("program Suite.Test  # why").
known_failures() {  # program -> a GoogleTest negative filter, or nothing
  local program=${1%_32} tests
  tests=$(sed -n "s/^$program[[:space:]]\+\([^ #]\+\).*/\1/p" tests/windows-known-failures.txt | paste -sd: -)
  if [ -n "$tests" ]; then echo "--gtest_filter=-$tests"; fi
}
run_program() {
  local name=$1 exe=$2 loader=$wine64
  shift 2
  [[ $name == *_32 ]] && loader=$wine32
  local log=${exe%/bin/*}/wine-logs/$name.log
  mkdir -p "$(dirname "$log")"
  local filter
  filter=$(known_failures "$name")
  echo "windows: $name under Wine${filter:+, leaving out the known failures ${filter#--gtest_filter=-}}"
  local status=0 args=()
  [ -n "$filter" ] && args=("$filter")
  timeout 1200 "$@" "$loader" "$exe" "${args[@]}" >"$log" 2>&1 || status=$?
  grep -E '^\[(==========|  PASSED  |  FAILED  |  SKIPPED )\]|tests? FAILED' "$log" | grep -v ' ms)$' || true
  if [ $status -ne 0 ]; then
    echo "windows: $name failed (exit $status); the last lines of $log:"
    tail -n 60 "$log"
    failed+=("$name")
  fi
}

qt_options=(-DVANTRELL_BUILD_GUI=OFF -DVANTRELL_BUILD_CLI=OFF)
if [ -n "$qt" ]; then
  qt_options=(-DVANTRELL_QT_MINGW="$qt" -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
else
  echo "windows: no Qt 6 for MinGW (VANTRELL_QT_MINGW, ../shared/qt6-mingw64): the windows, the companions and vantrell-cli are left out"
fi

build_tree build-win64 x86_64-w64-mingw32 mingw-w64-x86_64.cmake "${qt_options[@]}"
wine_ready
bin=build-win64/bin
run_program core_tests "$bin/core_tests.exe"
run_program sim_tests "$bin/sim_tests.exe"
run_program soak_tests "$bin/soak_tests.exe"
if [ -e "$bin/cli_tests.exe" ]; then run_program cli_tests "$bin/cli_tests.exe"; fi
if [ -e "$bin/gui_tests.exe" ]; then run_program gui_tests "$bin/gui_tests.exe"; fi

# 32-bit: the core, the simulator as a 32-bit OrbBulkUSB.dll, and their tests.
# Its build tools are 32-bit programs too, which 64-bit Wine cannot run:
# only the libraries and the test programs, which need none of them.
build_targets=(--target OrbBulkUSB core_tests sim_tests soak_tests)
build_tree build-win32 i686-w64-mingw32 mingw-w64-i686.cmake -DVANTRELL_BUILD_GUI=OFF -DVANTRELL_BUILD_CLI=OFF
if "$wine32" --version >/dev/null 2>&1; then
  run_program core_tests_32 build-win32/bin/core_tests.exe
  run_program sim_tests_32 build-win32/bin/sim_tests.exe
  run_program soak_tests_32 build-win32/bin/soak_tests.exe
else
  echo "windows: no 32-bit Wine runs here (wine32:i386 needs a kernel that runs 32-bit programs): the 32-bit build was made, its tests did not run"
fi
"$wineserver" -k 2>/dev/null || true

if [ ${#failed[@]} -gt 0 ]; then
  echo "windows: failed under Wine: ${failed[*]}"
  exit 1
fi
echo "windows: every test program passed under Wine"
