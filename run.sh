#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvana with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# The program with its modules and data files; tests and benchmarks are ./test.sh's.
CORVANA_BUILD_TARGETS=Corvana8 scripts/build.sh
# The browser engine runs as root only without its sandbox.
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
exec build/bin/Corvana8 "$@"
