#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them; extra arguments go to each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRIX_BENCH=ON -DKESTRIX_TESTS=OFF
cmake --build build-bench --target bench-reader
build-bench/bench/bench-reader "$@"
