#!/usr/bin/env bash
# Builds the PTSL connection logic with ThreadSanitizer, linked against the
# in-process fake client instead of gRPC, into build-tsan/ and runs its
# tests (threads connecting, running commands and using import batches at
# once). Fails on any report.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S tests/ptsl/tsan -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build-tsan -j 2
TSAN_OPTIONS="halt_on_error=1 abort_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}" \
  build-tsan/ptsl_tsan_tests
