# shellcheck shell=bash
# Sourced: virtual_display WIDTHxHEIGHT starts a virtual X display (Xvfb) that only holders of
# its cookie may use, with a small window manager (jwm) so that windows get title bars, and
# exports DISPLAY and XAUTHORITY for it. Their process ids are appended to the caller's array
# `started`; its files go to the caller's folder $scratch.
virtual_display() {
  local size=$1 cookie
  : "${scratch:?}"
  export XAUTHORITY=$scratch/Xauthority
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  touch "$XAUTHORITY"
  # The server loads every cookie of its authority file whatever display the entry names; the
  # clients look for the entry of their display, added once the server has chosen its number.
  xauth -q add :0 . "$cookie"
  Xvfb -displayfd 3 -auth "$XAUTHORITY" -nolisten tcp -screen 0 "${size}x24" \
    3>"$scratch/display" 2>"$scratch/Xvfb.log" &
  started+=($!)
  for _ in $(seq 100); do
    grep -q '^[0-9]' "$scratch/display" 2>/dev/null && break
    sleep 0.1
  done
  DISPLAY=:$(head -n 1 "$scratch/display")
  export DISPLAY
  xauth -q add "$DISPLAY" . "$cookie"
  jwm -f "$(dirname "${BASH_SOURCE[0]}")/headless.jwmrc" >"$scratch/jwm.log" 2>&1 &
  started+=($!)
}

# Ends what was started, the last first (the display after its clients), and removes $scratch.
stop_started() {
  local i
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do
    kill "${started[i]}" 2>/dev/null || true
    wait "${started[i]}" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
