#!/usr/bin/env bash
# Builds the suite with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and
# runs every test there. Leaks reported from third-party libraries only are suppressed in
# scripts/lsan.supp; anything from our own code fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${CORVANA_ASAN_DIR:-build-asan}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCORVANA_SANITIZE=ON -DCORVANA_BENCH=OFF
fi
jobs=$(nproc 2>/dev/null || echo 2)
cmake --build "$build" --parallel "$jobs"
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
# The browser engine's own prebuilt code frees some objects with a sized delete of another
# type; that check is off so that it does not hide our own reports behind it.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:new_delete_type_mismatch=0
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
ctest --output-on-failure --timeout 900 --parallel "$jobs"
