#!/usr/bin/env bash
# Builds with AddressSanitizer + UndefinedBehaviorSanitizer (or ThreadSanitizer
# with --tsan) and runs the given test labels (default: unit and media).
#   scripts/sanitize.sh [--tsan] [ctest label regex]
set -euo pipefail
cd "$(dirname "$0")/.."
kind=asan
if [ "${1:-}" = "--tsan" ]; then kind=tsan; shift; fi
labels="${1:-unit|media}"
if [ "$kind" = tsan ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_TSAN=ON
  cmake --build build-tsan
  export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/sanitizers/tsan.supp"
  ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" -L "$labels"
else
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON
  cmake --build build-asan
  export ASAN_OPTIONS="detect_leaks=1 abort_on_error=0"
  export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1"
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -L "$labels"
fi
