#!/usr/bin/env bash
# The portable archive, unpacked into a fresh folder, starts in the first set-up of the
# administrator: it creates the administrator file and the recordings file beside the
# program, empty and hidden, and waits in its window.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
pid=

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
tar -xzf "$scratch"/package/kov-*.tar.gz -C "$scratch"
folder=$(echo "$scratch"/kov-*/)
for file in kov LEGGIMI.txt LICENSE kov.desktop translations/qtbase_it.qm; do
  [ -e "$folder/$file" ] || { echo "missing in the archive: $file"; exit 1; }
done

QT_QPA_PLATFORM=offscreen "$folder/kov" &
pid=$!
for _ in $(seq 100); do
  [ -e "$folder/KoV" ] && [ -e "$folder/Odv" ] && break
  sleep 0.1
done
sleep 1
kill -0 "$pid" || { echo "kov ended instead of waiting in its window"; exit 1; }
[ -e "$folder/KoV" ] && [ ! -s "$folder/KoV" ] || { echo "no empty administrator file"; exit 1; }
[ -e "$folder/Odv" ] && [ ! -s "$folder/Odv" ] || { echo "no empty recordings file"; exit 1; }
[ ! -e "$folder/TdT" ] || { echo "the data-controller file belongs to the second start"; exit 1; }
if command -v getfattr >/dev/null; then
  getfattr --only-values -n user.DOSATTRIB "$folder/KoV" | grep -q '^0x2' ||
    { echo "the administrator file is not hidden"; exit 1; }
fi
echo "the unpacked archive started in the first set-up of the administrator"
