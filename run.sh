#!/usr/bin/env bash
# Installs what is missing, builds the release and starts the program. Without a display
# the window is served over VNC on localhost:5900.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Nessun display: KoV è servito in VNC. Collegarsi a localhost:5900 (es. vncviewer localhost:5900)."
  export QT_QPA_PLATFORM=vnc
fi
exec build/release/kov
