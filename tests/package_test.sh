#!/usr/bin/env bash
# The portable archive, unpacked into a fresh folder whose path holds a blank, starts in the
# first set-up of the administrator twice: through its launcher called from another folder,
# then through its desktop entry opened by gio launch. Each start creates the administrator
# file and the recordings file beside the program, empty and hidden, and waits in its window.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "$*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
mkdir "$scratch/Programmi KoV"
tar -xzf "$scratch"/package/kov-*.tar.gz -C "$scratch/Programmi KoV"
folder=$(echo "$scratch/Programmi KoV"/kov-*)
for file in kov avvia-kov LEGGIMI.txt LICENSE kov.desktop kov.png kov.svg \
  translations/qtbase_it.qm; do
  [ -e "$folder/$file" ] || fail "missing in the archive: $file"
done
desktop-file-validate "$folder/kov.desktop" || fail "kov.desktop as packed is not valid"

# The process running the program file of the folder.
running() {
  for process in /proc/[0-9]*; do
    [ "$(readlink "$process/exe" 2>/dev/null)" = "$folder/kov" ] && echo "${process#/proc/}"
  done
  return 0
}

first_set_up() {
  local how=$1
  for _ in $(seq 100); do
    [ -e "$folder/KoV" ] && [ -e "$folder/Odv" ] && break
    sleep 0.1
  done
  pid=$(running)
  [ -n "$pid" ] || fail "$how: kov did not start"
  kill -0 "$pid" || fail "$how: kov ended instead of waiting in its window"
  [ -e "$folder/KoV" ] && [ ! -s "$folder/KoV" ] || fail "$how: no empty administrator file"
  [ -e "$folder/Odv" ] && [ ! -s "$folder/Odv" ] || fail "$how: no empty recordings file"
  [ ! -e "$folder/TdT" ] || fail "$how: the data-controller file belongs to the second start"
  if command -v getfattr >/dev/null; then
    getfattr --only-values -n user.DOSATTRIB "$folder/KoV" | grep -q '^0x2' ||
      fail "$how: the administrator file is not hidden"
  fi
  kill "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  pid=
  rm "$folder/KoV" "$folder/Odv"
  echo "$how: the unpacked archive started in the first set-up of the administrator"
}

export QT_QPA_PLATFORM=offscreen
(cd / && exec "$folder/avvia-kov") &
first_set_up "the launcher"
grep -qxF "Exec=\"$folder/avvia-kov\"" "$folder/kov.desktop" ||
  fail "the launcher did not write its folder into kov.desktop: $(grep ^Exec= "$folder/kov.desktop")"
desktop-file-validate "$folder/kov.desktop" || fail "kov.desktop as written is not valid"

(cd / && gio launch "$folder/kov.desktop")
first_set_up "the desktop entry"
