#!/usr/bin/env bash
# kov.exe's start-up under wine beside its floor, a Qt window with nothing in it built the same
# way (bench/minimal_window.cpp) and started from the same folder with the same libraries: each
# is started N times in turn on a virtual screen, timed from the start to its window shown, then
# ended; prints the medians and their ratio. kov.exe starts each time in the administrator's
# first set-up (its data files are removed between runs). Needs the zip of scripts/windows-gui.sh.
#   bench/windows-startup.sh [N]     N runs of each, 5 by default, after one of each unmeasured
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
zip=$(echo "$PWD"/build/windows-gui/package/KoV-*-windows-x64.zip)
[ -f "$zip" ] || { echo "windows-startup.sh: run scripts/windows-gui.sh first" >&2; exit 1; }
cmake --build --preset windows-gui --target minimal_window >/dev/null

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
scratch=$(mktemp -d)
started=()
# wine's processes, then the display.
stop() {
  "$wineserver" -k 2>/dev/null || true
  stop_started
}
. scripts/virtual-display.sh
trap stop EXIT
virtual_display 1366x768

export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >/dev/null 2>&1
(cd "$scratch" && unzip -q "$zip")
folder=$WINEPREFIX/drive_c/KoV
mv "$scratch"/KoV-*-windows-x64 "$folder"
cp build/windows-gui/minimal_window.exe "$folder/"

# Milliseconds from the start of `program` to its window titled `title` being shown. The
# window's X client is then killed, which ends the program.
startup() {
  local program=$1 title=$2 begin window=
  rm -f "$folder/KoV" "$folder/Odv"
  begin=$(date +%s%N)
  (cd "$folder" && exec "$wine" "C:\\KoV\\$program" >/dev/null 2>&1) &
  for _ in $(seq 3000); do
    window=$(xdotool search --onlyvisible --name "^$title" 2>/dev/null) && break
    sleep 0.01
  done
  [ -n "$window" ] || { echo "windows-startup.sh: $program showed no window" >&2; exit 1; }
  echo $((($(date +%s%N) - begin) / 1000000))
  xdotool windowkill "$window"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

startup kov.exe 'Log Accessi' >/dev/null
startup minimal_window.exe 'Finestra minima' >/dev/null
: >"$scratch/kov"
: >"$scratch/minimal"
for _ in $(seq "$runs"); do
  startup kov.exe 'Log Accessi' >>"$scratch/kov"
  startup minimal_window.exe 'Finestra minima' >>"$scratch/minimal"
done
kov=$(median <"$scratch/kov")
minimal=$(median <"$scratch/minimal")
echo "kov.exe: median $kov ms; minimal window: median $minimal ms; ratio $(awk "BEGIN { printf \"%.2f\", $kov / $minimal }")"
echo "kov.exe runs (ms): $(tr '\n' ' ' <"$scratch/kov")"
echo "minimal window runs (ms): $(tr '\n' ' ' <"$scratch/minimal")"
