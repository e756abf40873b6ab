#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden="${1:-60}"
bash scripts/deps.sh
dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DKWT_FUZZ=ON -DKWT_GUI=OFF -DKWT_BENCH=OFF -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j "$(nproc)"
for ziel in "$dir"/tests/fuzz/fuzz_*; do
  name=$(basename "$ziel" | sed 's/^fuzz_//')
  korpus="tests/fuzz/korpus/$name"
  arbeit=$(mktemp -d)
  [ -d "$korpus" ] && cp -r "$korpus"/. "$arbeit"/
  echo "== $name: ${sekunden} s"
  "$ziel" -max_total_time="$sekunden" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$arbeit" 2>&1 | tail -n 12
  rm -rf "$arbeit"
done
