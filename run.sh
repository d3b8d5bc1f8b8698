#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvana with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
exec build/bin/Corvana8 "$@"
