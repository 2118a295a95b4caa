#!/usr/bin/env bash
# Installs what is needed, builds Kestrix and opens the bundled demo session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
demo="build/examples/Kestrix Demo/Kestrix Demo.ptx"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/kestrix "$demo"
fi
# No display (a server or a container): print the session and show the
# window on a virtual display for a while.
build/tools/kestrix-inspect/kestrix-inspect "$demo"
echo "No display found: running Kestrix on a virtual display for 20 seconds."
status=0
xvfb-run -a -s "-screen 0 1440x900x24" timeout 20 build/src/app/kestrix "$demo" || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 124 ] || exit "$status"
