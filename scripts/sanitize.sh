#!/usr/bin/env bash
# Builds the core (no window) with AddressSanitizer and UndefinedBehaviorSanitizer and runs its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
dir=build-asan
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$dir" -G Ninja -DKWT_GUI=OFF -DKWT_BENCH=OFF -DKWT_PAKET=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$dir" -j "$(nproc)"
cd "$dir"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$(nproc)"
