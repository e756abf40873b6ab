#!/usr/bin/env bash
# Configures and builds into build/ (or $KWT_BUILD_DIR). Extra arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
dir="${KWT_BUILD_DIR:-build}"
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
