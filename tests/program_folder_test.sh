#!/usr/bin/env bash
# The program folder is used exactly as the system names it: a copy of the program in a folder
# named with Cyrillic letters, or with a "\" in its name, starts its first set-up there and
# never reads or writes the data files of a sibling folder.
set -euo pipefail
program=$1
scratch=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

# A sibling whose name has as many letters outside Windows-1252 as the program's folder, and
# holds both roles and entries.
sibling="$scratch/Кипяч"
mkdir "$sibling"
printf '%0256d%0256d%0256d%0256d' 1 2 3 4 >"$sibling/KoV"
printf '%0256d' 5 >"$sibling/TdT"
printf '%0256d' 6 >"$sibling/OdV"
before=$(cd "$sibling" && sha256sum KoV TdT OdV)

for name in 'Копия' 'uff\ici'; do
  folder="$scratch/$name"
  mkdir "$folder"
  cp "$program" "$folder/kov"
  QT_QPA_PLATFORM=offscreen "$folder/kov" &
  pid=$!
  for _ in $(seq 200); do
    [ -e "$folder/KoV" ] && [ -e "$folder/Odv" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null || { echo "$name: kov ended instead of waiting in its window"; exit 1; }
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  [ -e "$folder/KoV" ] && [ ! -s "$folder/KoV" ] || { echo "$name: no empty administrator file"; exit 1; }
  [ -e "$folder/Odv" ] || { echo "$name: no recordings file"; exit 1; }
  [ "$(cd "$sibling" && sha256sum KoV TdT OdV)" = "$before" ] && [ "$(ls "$sibling" | wc -l)" = 3 ] ||
    { echo "$name: the sibling folder was touched"; exit 1; }
  [ "$(ls "$scratch" | wc -l)" = 3 ] || [ "$name" = 'Копия' ] || { echo "$name: files outside the folder"; ls "$scratch"; exit 1; }
done
echo "each copy started its first set-up in its own folder; the sibling folder is untouched"
