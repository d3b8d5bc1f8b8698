#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan into build-fuzz/ and runs one.
#   scripts/fuzz.sh TARGET [SECONDS] [extra libFuzzer flags]
# TARGET is the name after "fuzz_"; its seed corpus is fuzz/corpus/TARGET, and new inputs
# found go to build-fuzz/corpus/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}; seconds=${2:-300}; shift $(( $# < 2 ? $# : 2 ))
scripts/install-deps.sh --fuzz
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANA_FUZZ=ON -DCORVANA_TESTS=OFF -DCORVANA_BENCH=OFF
fi
cmake --build build-fuzz --target "fuzz_$target"
mkdir -p "build-fuzz/corpus/$target"
seeds=()
[ -d "fuzz/corpus/$target" ] && seeds+=("fuzz/corpus/$target")
export QT_QPA_PLATFORM=offscreen
exec "build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$@" \
  "build-fuzz/corpus/$target" "${seeds[@]}"
