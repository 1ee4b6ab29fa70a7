#!/usr/bin/env bash
# An office's first day through the launcher, on a real display with the window manager of the
# headless session, driven by keys: from an empty program folder the administrator's set-up
# (its report folder missing: offered and created), the data controller's set-up and a sign-in
# follow one another in one run of the launcher. A comment typed and not saved makes Alt+F4
# ask first: Escape keeps the window; Yes ends the program and the launcher with it.
set -euo pipefail
source_dir=$1 program=$2
scratch=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "$*"
  cat "$scratch/launcher.log" 2>/dev/null || true
  exit 1
}

Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$scratch/display")
jwm -f "$source_dir/scripts/headless.jwmrc" >/dev/null 2>&1 &
pids+=($!)

folder=$scratch/Programma
mkdir "$folder"
cp "$program" "$folder/kov"
cp "$source_dir/packaging/avvia-kov" "$folder/"
QT_QPA_PLATFORM=xcb "$folder/avvia-kov" >"$scratch/launcher.log" 2>&1 &
launcher=$!
pids+=("$launcher")

# Waits until `condition` holds, 60 seconds at most.
await() {
  for _ in $(seq 600); do
    eval "$1" && return 0
    kill -0 "$launcher" 2>/dev/null || fail "the launcher ended while waiting for: $1"
    sleep 0.1
  done
  fail "never came: $1"
}
# The program's windows shown with that title.
shown() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }
main='^Log Accessi Amministratore'
run=  # the process whose window was last used
# A new run's window alone on the screen: activated, its start over.
new_run() {
  local found pid
  found=$(xdotool search --onlyvisible --name "$main" 2>/dev/null) || return 1
  [ "$(wc -l <<<"$found")" = 1 ] && pid=$(xdotool getwindowpid "$found") && [ "$pid" != "$run" ] ||
    return 1
  run=$pid
  xdotool windowactivate --sync "$found"
  sleep 1
}
keys() { xdotool key --delay 100 "$@"; }
typed() { xdotool type --delay 50 "$1"; }

await new_run
typed Admin && keys Tab && typed password1
keys alt+w && typed PC-01 && keys alt+n && typed Log.txt
keys alt+h && typed "$folder/report/mensili" && keys alt+o
await "[ \$(shown '^KoV\$') = 1 ]"  # the offer to create the report folder
offer=$(xdotool search --onlyvisible --name '^KoV$')
keys alt+s
# Where no system log takes the entry's copy, a notice says the copies wait: Ok to it.
notice_closed() {
  local box
  box=$(xdotool search --onlyvisible --name '^KoV$' 2>/dev/null) || return 0
  [ "$box" = "$offer" ] || { xdotool windowactivate --sync "$box" && keys Return; }
}
await "[ \$(shown '$main') = 2 ] || { notice_closed; false; }"  # the set-up's entry confirmed
keys Return
await "[ -e '$folder/TdT' ]"
[ "$(stat -c %a "$folder/report" "$folder/report/mensili" | xargs)" = "770 770" ] ||
  fail "the report folder was not created for owner and group: $(ls -la "$folder/report")"

await new_run
typed Titolare && keys Tab && typed segreto99 && keys alt+o
await "[ \$(shown '$main') = 2 ]"
keys Return

await new_run
keys alt+u && typed Admin && keys Tab && typed password1 && keys Tab
sleep 1
typed "Sostituito disco del server, in attesa di"
keys alt+F4
await "[ \$(shown '$main') = 2 ]"  # the question whether to close
keys Escape
await "[ \$(shown '$main') = 1 ]"
sleep 1
kill -0 "$launcher" || fail "No closed the window"
keys alt+F4
await "[ \$(shown '$main') = 2 ]"
keys alt+s
for _ in $(seq 300); do kill -0 "$launcher" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$launcher" || status=$?
[ "$status" = 0 ] || fail "the launcher ended with $status"
[ "$(stat -c %s "$folder/KoV" "$folder/TdT" "$folder/Odv" | xargs)" = "1024 256 512" ] ||
  fail "unexpected files: $(ls -la "$folder")"
echo "both set-ups and a sign-in in one run of the launcher; Alt+F4 asked before closing"
