#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quorvelia
exec ./build/app/quorvelia "$@"
