#!/usr/bin/env bash
# Builds the fuzzers with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs each
# for a bounded time: scripts/fuzz.sh [SEKUNDEN], 60 by default. A finding ends it with a non-zero
# status and leaves the input in build-fuzz/fuzz/funde/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
sekunden="${1:-60}"
dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DKWT_FUZZ=ON -DKWT_GUI=OFF -DKWT_BENCH=OFF \
  -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j "$(nproc)" --target versionsressource_fuzz versionsressource_korpus szenario_fuzz
mkdir -p "$dir/fuzz/korpus" "$dir/fuzz/funde" "$dir/fuzz/korpus_szenario"

# The version resource reader. New inputs go to the first folder, which persists between runs;
# -timeout makes a slow input a finding.
"$dir/fuzz/versionsressource_fuzz" "$dir/fuzz/korpus" "$dir/fuzz/korpus_saat" \
  -max_total_time="$sekunden" -timeout=5 -rss_limit_mb=2048 -max_len=16384 \
  -artifact_prefix="$dir/fuzz/funde/" -print_final_stats=1

# The scenario loader, seeded with a real scenario.
"$dir/fuzz/szenario_fuzz" "$dir/fuzz/korpus_szenario" fuzz/korpus/szenario \
  -max_total_time="$sekunden" -timeout=5 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$dir/fuzz/funde/" -print_final_stats=1
