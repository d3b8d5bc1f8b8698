#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
cd "${CORVANA_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 300 --parallel "$(nproc 2>/dev/null || echo 2)"
