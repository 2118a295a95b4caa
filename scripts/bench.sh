#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs every bench-<subsystem> program;
# extra arguments go to each of them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_BENCH=ON -DKESTRIX_TESTS=OFF -DKESTRIX_GUI=ON
cmake --build build-bench
for bench in build-bench/bench/bench-*; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench" "$@"
done
