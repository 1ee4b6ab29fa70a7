#!/usr/bin/env bash
# KoV for Windows, built here and tried under wine:
#   1. Qt for Windows from the cache (scripts/windows-qt.sh unpacks it, or builds it once);
#   2. kov.exe and the window's test programs, with the windows-gui preset;
#   3. kov.exe's Event Log message checked, and KoV-<version>-windows-x64.zip made as an office
#      unpacks it (its size printed, at most 30 MB);
#   4. on a virtual screen of 1366x768 (Xvfb, with jwm as window manager), under wine64: the
#      window's tests and the office's month, on files in a folder of the wine drive;
#   5. the zip unpacked into C:\KoV of a fresh wine prefix and used as an office does, with the
#      keyboard: kov.exe starts in the administrator's first set-up with its data files hidden
#      beside it; the set-up takes the Windows user as administrator with restricted access,
#      proposes the Windows computer name and is given a report folder relative to the program
#      folder; the data controller's set-up; the third start opens for the Windows user alone,
#      and the data controller's report lands in C:\KoV\report\. The entries reach wine's Event
#      Log, which keeps nothing but shows them in its trace.
# With KOV_SCREENSHOTS naming a folder, step 5's first window is saved there as
# windows-setup.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
pictures=${KOV_SCREENSHOTS:-}
unset KOV_SCREENSHOTS  # the tests' own pictures are the Linux window's

qt=$(scripts/windows-qt.sh)
cmake --preset windows-gui >/dev/null
tests=(shell_tests end_to_end_tests report_window_tests)
nice cmake --build --preset windows-gui --target kov kov-verifica "${tests[@]}" >/dev/null
build=$root/build/windows-gui

# The Event Viewer shows an event through kov.exe's message 0: the event's text, as it is.
x86_64-w64-mingw32-windres -i "$build/kov.exe" -O rc 2>/dev/null |
  grep -A1 'MessageId = 0x0$' | grep -q '^ *%1%0' ||
  { echo "windows: kov.exe carries no Event Log message 0 showing %1"; exit 1; }

rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
zip=$(echo "$build"/package/KoV-*-windows-x64.zip)
size=$(stat -c %s "$zip")
echo "windows: $(basename "$zip"): $((size / 1024)) KiB"
[ "$size" -le $((30 * 1024 * 1024)) ] || { echo "windows: the zip is over 30 MB"; exit 1; }

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
scratch=$(mktemp -d)
started=()
# wine's processes, then the display.
stop() {
  [ -z "${WINEPREFIX:-}" ] || "$wineserver" -k 2>/dev/null || true
  stop_started
}
. scripts/virtual-display.sh
trap stop EXIT
fail() {
  echo "windows: $*"
  exit 1
}

virtual_display 1366x768
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="  # no .NET or Gecko to install
# A Unix path as a Windows program names it, on wine's drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The test programs take Qt's and MinGW's libraries from where they are, and the window's
# platform from Qt's plugins.
export WINEPREFIX=$build/wine
"$wine" wineboot -i >/dev/null 2>&1
mingw=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
winpthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$mingw");$(windows_path "$winpthread")"
QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
export WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM=windows
passed=0
for program in "${tests[@]}"; do
  log=$(timeout 900 "$wine" "$build/tests/$program.exe" 2>&1) || {
    echo "$log"
    fail "$program failed"
  }
  grep '^\[ LINUX ONLY \]' <<<"$log" | sed "s/^/windows: $program: /" || true
  count=$(grep -o '^\[  PASSED  \] [0-9]*' <<<"$log" | grep -o '[0-9]*$')
  echo "windows: $program.exe under wine: $count tests passed"
  passed=$((passed + count))
done
"$wineserver" -k
echo "windows window tests: $passed passed, 0 failed"

# The zip as an office meets it, in a fresh prefix.
export WINEPREFIX=$scratch/wine
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM
"$wine" wineboot -i >/dev/null 2>&1
(cd "$scratch" && unzip -q "$zip")
folder=$WINEPREFIX/drive_c/KoV
mv "$scratch"/KoV-*-windows-x64 "$folder"
user=$("$wine" cmd /c 'echo %USERNAME%' | tr -d '\r')
computer=$("$wine" cmd /c 'echo %COMPUTERNAME%' | tr -d '\r')

# Starts kov.exe from another folder, as a shortcut may, with wine's Event Log traced; echoes
# the window once it is there.
start() {
  (cd / && WINEDEBUG=-all,+eventlog exec "$wine" 'C:\KoV\kov.exe' >>"$scratch/kov.log" 2>&1) &
  disown $!  # ended with wine's processes
  local window=
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Log Accessi Amministratore' 2>/dev/null) &&
      break
    sleep 0.1
  done
  [ -n "$window" ] || fail "kov.exe opened no window"
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  sleep 1  # the focus reaches the user box
  echo "$window"
}
keys() { xdotool key --delay 80 "$@" && sleep 0.5; }
typed() { xdotool type --delay 80 "$1" && sleep 0.5; }
# Waits for kov.exe to end, closing with Enter a message box that it shows on the way.
ended() {
  for i in $(seq 200); do
    xdotool search --onlyvisible --name '^Log Accessi Amministratore' >/dev/null 2>&1 || return 0
    [ $((i % 30)) -ne 0 ] || xdotool key Return
    sleep 0.1
  done
  fail "kov.exe did not end after $1"
}
# The bytes of a stored record of text, as the tests build them.
record() { python3 -c 'import sys; t=sys.argv[1].encode("cp1252"); sys.stdout.buffer.write((bytes(c+2 for c in t)).ljust(253)+b"|\r\n")' "$1"; }
pad() { printf "%-${2}.${2}s" "$1"; }

relative="report\\"  # the report folder, relative to the program folder
window=$(start)
if [ -s "$folder/KoV" ] || [ -s "$folder/Odv" ] || [ -e "$folder/TdT" ]; then
  fail "kov.exe did not start in the administrator's first set-up"
fi
for file in KoV Odv; do
  "$wine" attrib "C:\\KoV\\$file" | grep -q ' H ' ||
    fail "$file is not hidden: $("$wine" attrib "C:\\KoV\\$file")"
done
echo "windows: the unpacked zip started in the administrator's first set-up, KoV and Odv hidden"
if [ -n "$pictures" ]; then  # the window with its frame, after the clock's first tick
  sleep 1
  xwd -root -silent | convert xwd:- -trim +repage "$pictures/windows-setup.png"
fi

typed "$user"
keys Tab
typed password1
keys alt+w  # the computer's name proposed, as much as the box takes
keys alt+n
typed Report.txt
keys alt+h
typed "$relative"
keys alt+l alt+o
ended "the administrator's set-up"
expected=$({
  record "$(pad "${computer:0:14}" 20)1"
  record Report.txt
  record "$relative"
  record "$(pad "$user" 20)$(pad password1 20)"
} | sha256sum)
[ "$(sha256sum <"$folder/KoV")" = "$expected" ] ||
  fail "KoV does not hold $user, ${computer:0:14} and report\\: $(od -c "$folder/KoV" | head)"

start >/dev/null
typed Titolare
keys Tab
typed segreto99
keys alt+o
ended "the data controller's set-up"
mkdir "$folder/report"

# Restricted access: the third start opens only for the Windows user who is the administrator.
start >/dev/null
keys alt+t Tab
typed Titolare
keys Tab
typed segreto99
keys Tab
typed 01012020
keys Tab
typed 31122099
keys Tab Tab Tab space
for _ in 1 2 3; do  # the count, the offer to open the folder (No), the confirmation
  sleep 2
  keys Return
done
report=$(ls "$folder/report"/*_Report.txt 2>/dev/null) || fail "no report in C:\\KoV\\report\\"
[ "$(stat -c %s "$report")" -eq $((3 * 256)) ] || fail "the report does not hold its two entries"
grep -aq "Attivato l'Utente nella Procedura" "$scratch/kov.log" ||
  fail "no entry reached wine's Event Log"
printf '%s\n' "windows: set up as $user on $computer, the report in C:\\KoV\\report\\$(basename "$report"), the entries reported to the Event Log"
