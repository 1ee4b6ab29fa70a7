#!/usr/bin/env bash
# Cross-compiles the parts without Qt for Windows and runs their tests under wine, so the
# Windows branch of the file and name code runs here too. Skipped without the tools.
set -euo pipefail
cd "$(dirname "$0")/.."

wine=/usr/lib/wine/wine64
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || [ ! -x "$wine" ]; then
  echo "windows: MinGW-w64 or wine64 missing, skipped"
  exit 0
fi
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null

export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-$PWD/build/wine}"
for program in build/windows/tests/*_tests.exe; do
  log=$("$wine" "$program" 2>&1) || { echo "$log"; echo "windows: $(basename "$program") failed"; exit 1; }
  echo "windows: $(basename "$program"): $(grep -o "PASSED  \] [0-9]*" <<<"$log" | grep -o "[0-9]*$") tests passed"
done
