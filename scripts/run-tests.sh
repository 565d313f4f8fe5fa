#!/usr/bin/env bash
# Installs what the build needs, then builds and runs every test twice: in the
# normal build and in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp

scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTRELL_SANITIZE=ON -DVANTRELL_BUILD_BENCHMARKS=OFF
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
