#!/usr/bin/env bash
# The program served without a display, through the script that ./run.sh uses: the VNC port
# listens on 127.0.0.1 alone and asks for a password (the server offers VNC authentication
# and not "None"), and stopping the script ends everything it started. Then the session ends
# with the program's window, twenty times in a row: closed with Alt+F4 (the window manager
# closes it as its close button does), the program ends, and the script stops the VNC server,
# the window manager and the display and returns within five seconds, leaving nothing
# running. The last ten rounds meet a VNC server that ignores the polite signal, as one busy
# with a viewer may: it must be killed.
set -euo pipefail
source_dir=$1 program=$2
scratch=$(mktemp -d)
session=
cleanup() {
  [ -n "$session" ] && pkill -KILL -s "$session" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "$*"; exit 1; }

# A program folder of its own as ./run.sh installs it, the program beside its launcher, so the
# first set-up creates its files there.
cp "$program" "$scratch/kov"
cp "$source_dir/packaging/avvia-kov" "$scratch/"
env -u DISPLAY -u WAYLAND_DISPLAY setsid "$source_dir/scripts/headless.sh" "$scratch/avvia-kov" \
  >"$scratch/out" 2>&1 &
session=$!
port=
for _ in $(seq 300); do
  port=$(sed -n 's/^ *ssh -L \([0-9]*\):localhost:.*/\1/p' "$scratch/out")
  [ -n "$port" ] && [ -e "$scratch/KoV" ] && break
  kill -0 "$session" 2>/dev/null || { cat "$scratch/out"; fail "headless.sh ended"; }
  sleep 0.1
done
[ -n "$port" ] || { cat "$scratch/out"; fail "no port printed"; }
[ -e "$scratch/KoV" ] || fail "the program did not start its first set-up"
grep -q "password" "$scratch/out" || fail "no password printed"

# Listening sockets of the port: 127.0.0.1 alone.
listening=$(ss -Hltn "sport = :$port" | awk '{print $4}')
echo "listening on: $listening"
[ -n "$listening" ] || fail "nothing listens on port $port"
echo "$listening" | grep -qv "^127\.0\.0\.1:$port\$" && fail "port $port listens beyond 127.0.0.1"
for address in $(hostname -I); do
  if (exec 3<>"/dev/tcp/$address/$port") 2>/dev/null; then fail "port $port answers on $address"; fi
done

# The RFB handshake: the version, then the security types the server offers.
exec 3<>"/dev/tcp/127.0.0.1/$port"
read -r -t 10 version <&3
[ "$version" = "RFB 003.008" ] || fail "unexpected server version: $version"
printf 'RFB 003.008\n' >&3
count=$(dd bs=1 count=1 status=none <&3 | od -An -tu1 | tr -d ' ')
types=$(dd bs=1 count="$count" status=none <&3 | od -An -tu1 | xargs)
exec 3>&-
echo "security types offered: $types"
[[ " $types " == *" 2 "* ]] || fail "no VNC authentication offered"
[[ " $types " == *" 1 "* ]] && fail "the server lets a viewer in without a password"

# Stopping the script ends the program, the VNC server, the window manager and the display.
kill -TERM "$session"
for _ in $(seq 100); do
  pgrep -s "$session" >/dev/null || break
  sleep 0.1
done
left=$(pgrep -a -s "$session" || true)
[ -z "$left" ] || fail "left running: $left"
session=
echo "served on 127.0.0.1:$port alone, with a password; everything ended"
rm -f "$scratch"/KoV "$scratch"/Odv

# A VNC server that tells its port and then answers no signal but the kill, without a process
# of its own besides the shell.
mkdir "$scratch/stubborn"
cat >"$scratch/stubborn/x11vnc" <<'SERVER'
#!/usr/bin/env bash
trap '' HUP INT TERM
echo PORT=5999
mkfifo "$TMPDIR/never" && exec 9<>"$TMPDIR/never"
while :; do read -r -t 1 -u 9 || :; done
SERVER
chmod +x "$scratch/stubborn/x11vnc"
for round in $(seq 20); do
  path=$PATH
  [ "$round" -gt 10 ] && path=$scratch/stubborn:$PATH
  rm -f "$scratch/never"
  env -u DISPLAY -u WAYLAND_DISPLAY PATH="$path" TMPDIR="$scratch" \
    setsid "$source_dir/scripts/headless.sh" "$scratch/avvia-kov" >"$scratch/out" 2>&1 &
  session=$!
  # The program's window, on the display whose name and cookie it was given.
  window=
  for _ in $(seq 300); do
    kov=$(pgrep -s "$session" -x kov || true)
    if [ -n "$kov" ]; then
      environment=$(tr '\0' '\n' <"/proc/$kov/environ")
      export DISPLAY=$(sed -n 's/^DISPLAY=//p' <<<"$environment")
      export XAUTHORITY=$(sed -n 's/^XAUTHORITY=//p' <<<"$environment")
      window=$(xdotool search --onlyvisible --name '^Log Accessi' 2>/dev/null || true)
      [ -n "$window" ] && break
    fi
    kill -0 "$session" 2>/dev/null || { cat "$scratch/out"; fail "round $round: headless.sh ended"; }
    sleep 0.1
  done
  [ -n "$window" ] || { cat "$scratch/out"; fail "round $round: no window"; }
  xdotool windowactivate --sync "$window" key alt+F4
  closed=$(date +%s%N)
  took=0
  while kill -0 "$session" 2>/dev/null && [ "$took" -le 5000 ]; do
    sleep 0.05
    took=$((($(date +%s%N) - closed) / 1000000))
  done
  kill -0 "$session" 2>/dev/null && fail "round $round: headless.sh still running $took ms after"
  status=0
  wait "$session" || status=$?
  left=$(pgrep -a -s "$session" || true)
  session=
  [ -z "$left" ] || fail "round $round: left running: $left"
  [ "$status" = 0 ] || { cat "$scratch/out"; fail "round $round: headless.sh ended with $status"; }
  rm -f "$scratch"/KoV "$scratch"/Odv
  echo "round $round: headless.sh returned $took ms after the close"
done
