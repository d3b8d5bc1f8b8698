#!/usr/bin/env bash
# Configures (once) and builds Corvana into build/ with CMake and Ninja.
# Extra arguments go to the first CMake configure, e.g. -DCORVANA_SANITIZE=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CORVANA_BUILD_DIR:-build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja "$@"
fi
jobs=$(nproc 2>/dev/null || echo 2)
cmake --build "$build" --parallel "$jobs"
