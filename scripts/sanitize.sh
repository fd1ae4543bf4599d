#!/usr/bin/env bash
# Builds with AddressSanitizer + UndefinedBehaviorSanitizer (or ThreadSanitizer
# with --tsan) and runs the given test labels (default: unit, media and gui,
# so a use-after-free in any form is caught too).
#   scripts/sanitize.sh [--tsan] [ctest label regex]
# "--tsan threads" runs the engine's threaded tests. Only the tests of the
# named labels are built; QV_SANITIZE_BUILD_DIR names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=asan
if [ "${1:-}" = "--tsan" ]; then kind=tsan; shift; fi
labels="${1:-unit|media|gui}"
# Instrumented code runs several times slower, on CI's two cores too: the
# tests' time limits, there only to end a hang, grow with it.
scale="${QV_SANITIZE_TIMEOUT_SCALE:-3}"

# One test target per label (tests/CMakeLists.txt); any other pattern builds everything.
targets=()
IFS='|' read -ra parts <<< "$labels"
for l in "${parts[@]}"; do
  case "$l" in
    unit|media|gui|slow|threads) targets+=(--target "tests_$l") ;;
    *) targets=(); break ;;
  esac
done

if [ "$kind" = tsan ]; then
  dir="${QV_SANITIZE_BUILD_DIR:-build-tsan}"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_TSAN=ON -DQV_TEST_TIMEOUT_SCALE="$scale"
  cmake --build "$dir" "${targets[@]}"
  export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/sanitizers/tsan.supp"
else
  dir="${QV_SANITIZE_BUILD_DIR:-build-asan}"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_TEST_TIMEOUT_SCALE="$scale"
  cmake --build "$dir" "${targets[@]}"
  export ASAN_OPTIONS="detect_leaks=1 abort_on_error=0"
  export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1"
fi
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" -L "$labels"
