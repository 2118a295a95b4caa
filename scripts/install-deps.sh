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
  libsqlite3-dev                      # the archive index (SQLite with FTS5)
  libicu-dev                          # Unicode lower-casing for the search
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev   # AAC / M4A decoding
  libgrpc++-dev protobuf-compiler-grpc libprotobuf-dev protobuf-compiler   # PTSL
  libcli11-dev                        # command lines of the tools
  nlohmann-json3-dev                  # JSON outside Qt
  sox                                 # import tests write real WAV files
  pulseaudio pulseaudio-utils         # a real audio server with null sinks for tests
  xvfb xauth                          # showing the application without a display
  libcairo2-dev libpango1.0-dev      # the session report PDF
  fonts-dejavu-core fonts-noto-cjk fonts-symbola   # report fonts: Latin, CJK, outline emoji
  poppler-utils                       # tests read the report PDFs back
  python3                             # the feedback tests read multipart bodies with its email package
  help2man desktop-file-utils dpkg-dev file   # man pages, desktop-entry checks, the Debian package
  locales                             # a comma-decimal locale for the ruler's number tests
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Numbers in the views are read the same under a locale whose decimal mark is a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  $sudo locale-gen
fi
