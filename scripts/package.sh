#!/usr/bin/env bash
# Builds the program and makes its Debian package, build/package/corvana_<version>-1_<arch>.deb.
# Its dependencies are the Qt 6 libraries the program links (found by dpkg-shlibdeps) and the
# platform plugin it loads; install it with: apt install ./build/package/corvana_*.deb
# Needs the packages of scripts/install-deps.sh --dev (dpkg-dev, file).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CORVANA_BUILD_DIR:-build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja
fi
# Only what the package holds; the tests and benchmarks are not needed for it.
cmake --build "$build" --target Corvana8 corvana_data corvana_desktop_icons
rm -f "$build"/package/corvana_*.deb
cpack --config "$build/CPackConfig.cmake" -G DEB
deb=$(ls "$build"/package/corvana_*.deb)
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
