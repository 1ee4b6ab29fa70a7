#!/usr/bin/env bash
# Installs what building and running need, builds the release, installs the program into its
# program folder (~/KoV, or the folder in KOV_DIR) and starts it from there. The data files
# live in that folder, so a rebuild or the removal of build/ never touches them. Without a
# display the window is served over VNC on localhost only, with a password.
set -euo pipefail
cd "$(dirname "$0")"

headless=
[ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && headless=headless
scripts/install-deps.sh run $headless
cmake --preset release >/dev/null
cmake --build --preset release

folder=${KOV_DIR:-$HOME/KoV}
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
cmake --install build/release --prefix "$folder" >/dev/null
echo "KoV è installato in $folder: lì stanno anche i suoi dati (KoV, TdT, Odv)."

if [ -n "$headless" ]; then
  exec scripts/headless.sh "$folder/avvia-kov"
fi
exec "$folder/avvia-kov"
