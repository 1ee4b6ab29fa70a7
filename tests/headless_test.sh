#!/usr/bin/env bash
# The program served without a display, through the script that ./run.sh uses: the VNC port
# listens on 127.0.0.1 alone and asks for a password (the server offers VNC authentication
# and not "None"), and stopping the script ends everything it started.
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

# A program folder of its own, so the first set-up creates its files there.
cp "$program" "$scratch/kov"
env -u DISPLAY -u WAYLAND_DISPLAY setsid "$source_dir/scripts/headless.sh" "$scratch/kov" \
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
