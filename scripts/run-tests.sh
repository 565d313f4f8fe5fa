#!/usr/bin/env bash
# Installs what the build needs, then builds and runs the test passes:
#   normal  the normal build: every test, the soak over 1 000 seeds
#   asan    AddressSanitizer + UndefinedBehaviorSanitizer build: every test
#   tsan    ThreadSanitizer build: every test (workers against windows offscreen)
#   fuzz    every fuzz target for 20 s over its corpus (clang 14, libFuzzer)
#   windows the MinGW-w64 cross-build, every test program under Wine
#           (scripts/windows-tests.sh)
# By default every pass runs; one or some of them:
#   scripts/run-tests.sh --only asan        scripts/run-tests.sh --only normal,fuzz
set -euo pipefail
cd "$(dirname "$0")/.."

passes="normal,asan,tsan,fuzz,windows"
if [ "${1:-}" = "--only" ]; then
  passes=${2:?"--only needs a pass: normal, asan, tsan, fuzz or windows"}
fi
wants() { [[ ",$passes," == *",$1,"* ]]; }

scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$PWD/tests/tsan.supp"

# Warnings are errors in the normal tree, which builds every source. The
# sanitizers' instrumentation changes what GCC's flow-sensitive warnings
# (array bounds, maybe-uninitialized) believe, so there they are shown but
# do not stop the build.
sanitizer_warnings=(-DVANTRELL_WERROR=OFF)

started=$SECONDS
timed() {
  local name=$1
  shift
  local from=$SECONDS
  "$@"
  echo "run-tests: $name took $((SECONDS - from)) s"
}

if wants normal; then
  timed "normal build" scripts/build.sh build
  timed "normal tests" ctest --test-dir build --output-on-failure --parallel "$(nproc)"
fi
if wants asan; then
  timed "asan build" scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTRELL_SANITIZE=ON -DVANTRELL_BUILD_BENCHMARKS=OFF \
    "${sanitizer_warnings[@]}"
  timed "asan tests" ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
fi
if wants tsan; then
  timed "tsan build" scripts/build.sh build-tsan -DVANTRELL_TSAN=ON -DVANTRELL_BUILD_BENCHMARKS=OFF "${sanitizer_warnings[@]}"
  timed "tsan tests" ctest --test-dir build-tsan --output-on-failure --parallel "$(nproc)"
fi
if wants fuzz; then
  timed "fuzz" scripts/fuzz.sh 20
fi
if wants windows; then
  timed "windows" scripts/windows-tests.sh
fi
echo "run-tests: every pass asked for ($passes) passed in $((SECONDS - started)) s"
