# Sourced: virtual_display WIDTHxHEIGHT starts a virtual X display (Xvfb) that only holders of
# its cookie may use, with a small window manager (jwm) so that windows get title bars, and
# exports DISPLAY and XAUTHORITY for it. Their process ids are appended to the caller's array
# `started`; its files go to the caller's folder $scratch.
virtual_display() {
  local size=$1 cookie
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
  export DISPLAY=:$(head -n 1 "$scratch/display")
  xauth -q add "$DISPLAY" . "$cookie"
  jwm -f "$(dirname "${BASH_SOURCE[0]}")/headless.jwmrc" >"$scratch/jwm.log" 2>&1 &
  started+=($!)
}
