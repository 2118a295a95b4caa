#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrix needs to build, test and benchmark.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  clang libclang-rt-14-dev            # fuzzing with libFuzzer + sanitizers
  libgtest-dev libgmock-dev           # tests
  libbenchmark-dev                    # benchmarks
  qt6-base-dev qt6-multimedia-dev     # the application, its views and audio output
  libgl-dev                           # Qt6Gui's CMake package looks for OpenGL
  libsndfile1-dev                     # audio decoding
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev   # AAC / M4A decoding
  libgrpc++-dev protobuf-compiler-grpc libprotobuf-dev protobuf-compiler   # PTSL
  libcli11-dev                        # kestrix-import's command line
  nlohmann-json3-dev                  # JSON outside Qt (the import transcript view)
  sox                                 # import tests write real WAV files
  pulseaudio pulseaudio-utils         # a real audio server with null sinks for tests
  xvfb xauth                          # showing the application without a display
  python3                             # the feedback tests read multipart bodies with its email package
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
