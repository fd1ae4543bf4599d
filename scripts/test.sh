#!/usr/bin/env bash
# Installs what the build needs, builds everything and runs the whole test suite.
#   scripts/test.sh [extra ctest arguments, e.g. -L unit]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
