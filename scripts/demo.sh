#!/usr/bin/env bash
# Installs what is needed, builds Kestrix and opens the bundled demo session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/tools/kestrix-inspect/kestrix-inspect "build/examples/Kestrix Demo/Kestrix Demo.ptx"
