#!/usr/bin/env bash
# Serves the window of a program over VNC on this machine alone, for a machine without a
# display: a virtual X display (Xvfb) that only holders of its cookie may use, a small window
# manager (jwm) so that every window has its title bar and close button, and x11vnc bound
# to 127.0.0.1, asking a password made for this run. When the program ends, everything ends
# (a first set-up does not end it: the launcher starts it again in the same session).
# Usage: headless.sh PROGRAM
set -euo pipefail
program=$1

scratch=$(mktemp -d)  # 0700: the cookie and the password stay the user's
started=()
# Ends the processes given: the polite signal to all of them, then, to any still running two
# seconds later (a VNC server busy with a viewer may not answer it), the kill.
end_all() {
  local pid running=yes
  local deadline=$((${EPOCHREALTIME//[!0-9]/} + 2000000))  # microseconds
  kill "$@" 2>/dev/null || true
  while [ -n "$running" ] && [ "${EPOCHREALTIME//[!0-9]/}" -lt "$deadline" ]; do
    sleep 0.05
    running=
    for pid; do kill -0 "$pid" 2>/dev/null && running=yes; done
  done
  kill -KILL "$@" 2>/dev/null || true
  for pid; do wait "$pid" 2>/dev/null || true; done
}
# Ends what was started, so that the session always ends: the display's clients first, then
# the display (the first started).
stop() {
  [ ${#started[@]} -gt 1 ] && end_all "${started[@]:1}"
  [ ${#started[@]} -gt 0 ] && end_all "${started[0]}"
  rm -rf "$scratch"
}
trap stop EXIT
trap 'exit 130' INT TERM

# Waits until a file has a line matching a pattern, while the process that writes it lives.
await() {
  local file=$1 pattern=$2 pid=$3
  for _ in $(seq 200); do
    grep -q "$pattern" "$file" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "headless.sh: $(basename "$file") non si è avviato:" >&2
  cat "$file" >&2
  exit 1
}

# The server loads every cookie of its authority file whatever display the entry names; the
# clients look for the entry of their display, added once the server has chosen its number.
export XAUTHORITY=$scratch/Xauthority
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
touch "$XAUTHORITY"
xauth -q add :0 . "$cookie"
Xvfb -displayfd 3 -auth "$XAUTHORITY" -nolisten tcp -screen 0 1920x1080x24 \
  3>"$scratch/display" 2>"$scratch/Xvfb.log" &
started+=($!)
await "$scratch/display" '^[0-9]' "${started[-1]}"
export DISPLAY=:$(head -n 1 "$scratch/display")
xauth -q add "$DISPLAY" . "$cookie"

jwm -f "$(dirname "$0")/headless.jwmrc" >"$scratch/jwm.log" 2>&1 &
started+=($!)

# The password goes to x11vnc through a file, never on a command line that ps shows. A VNC
# password holds 8 characters.
letters=$(head -c 64 /dev/urandom | base64 -w 0 | LC_ALL=C tr -dc 'A-HJ-NP-Za-km-z2-9')
password=${letters:0:8}
echo "$password" >"$scratch/password"
x11vnc -display "$DISPLAY" -auth "$XAUTHORITY" -localhost -noipv6 -passwdfile "$scratch/password" \
  -forever -shared >"$scratch/x11vnc.log" 2>&1 &
started+=($!)
await "$scratch/x11vnc.log" '^PORT=' "${started[-1]}"
port=$(sed -n 's/^PORT=//p' "$scratch/x11vnc.log" | head -n 1)

cat <<TEXT
KoV è servito in VNC soltanto su questa macchina (127.0.0.1, porta $port), con la password:

    $password

Da un'altra macchina, aprire prima un tunnel SSH verso questa:

    ssh -L $port:localhost:$port utente@macchina

poi collegare un visualizzatore VNC a localhost:$port (es. vncviewer localhost:$port) e
digitare la password. Sulla macchina stessa basta il visualizzatore su localhost:$port.
Per chiudere KoV usare il pulsante di chiusura della sua finestra, oppure premere Ctrl+C qui:
la finestra, il server VNC e il display virtuale terminano insieme.
TEXT

QT_QPA_PLATFORM=xcb "$program" &
started+=($!)
status=0
wait "${started[-1]}" || status=$?
echo "KoV si è chiuso. Per riaprirlo: ./run.sh (la password VNC cambia a ogni avvio)."
exit "$status"
