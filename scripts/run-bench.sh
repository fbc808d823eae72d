#!/usr/bin/env bash
# Builds the optimised deliverables with the benchmark programs and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --bench
build=${TAV_BENCH_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAV_BUILD_TESTS=OFF -DTAV_BUILD_BENCH=ON
cmake --build "$build" -j "$(nproc)"
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.05
done
