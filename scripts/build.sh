#!/usr/bin/env bash
# Configures (once) and builds Corvana into build/ with CMake and Ninja.
# Extra arguments go to the first CMake configure, e.g. -DCORVANA_SANITIZE=ON.
# CORVANA_BUILD_TARGETS names the targets to build (all when unset): ./run.sh builds only the
# program, its modules and its data files.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CORVANA_BUILD_DIR:-build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja "$@"
fi
jobs=$(nproc 2>/dev/null || echo 2)
targets=()
for target in ${CORVANA_BUILD_TARGETS:-}; do
  targets+=(--target "$target")
done
cmake --build "$build" --parallel "$jobs" "${targets[@]}"
