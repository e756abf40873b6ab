#!/usr/bin/env bash
# Builds everything and runs all tests (window tests offscreen, clipboard tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd "${KWT_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
