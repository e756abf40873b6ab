#!/usr/bin/env bash
# Builds and starts the program: the window where there is a display, otherwise the headless default run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/app/KWTMonteCarlo ]; then
  exec build/app/KWTMonteCarlo "$@"
else
  exec build/cli/kwt-mc "$@"
fi
