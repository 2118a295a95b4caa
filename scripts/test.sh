#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the
# Release build; the reader, model, tools, views, application and audio
# tests again under AddressSanitizer + UBSan; the PTSL connection logic
# under ThreadSanitizer; and a short smoke run of the reader fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

echo "== Release build and tests"
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Tests under AddressSanitizer + UndefinedBehaviorSanitizer"
# PTSL has its own ThreadSanitizer run below; playback on a real audio
# server stays with the Release run.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRIX_SANITIZE=ON \
  -DKESTRIX_GUI=ON -DKESTRIX_PTSL=OFF
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE pulseaudio

echo "== PTSL connection logic under ThreadSanitizer"
scripts/test-ptsl-tsan.sh

echo "== Fuzzer smoke run"
fuzz/run session-open 20
