#!/usr/bin/env bash
# The shipped rsyslog configurations on 127.0.0.1: a workstation rsyslogd takes the copies
# of the program's writer from its syslog socket and forwards them over RELP with TLS to a
# central rsyslogd, with fresh certificates. The central side is stopped while entries are
# written and started again; then kov-verifica over the central folder confirms every
# entry. A second workstation with a valid certificate that claims the first one's host
# name lands in its own folder.
# Usage: loopback_test.sh <source folder> <kov-verifica> <write_entries>
set -euo pipefail
source_folder=$1 verifier=$2 writer=$3
for tool in rsyslogd certtool unshare; do
  command -v $tool >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root for the mount namespace"; exit 77; }
[ -f /usr/lib/x86_64-linux-gnu/rsyslog/omrelp.so ] || { echo "skipped: rsyslog-relp missing"; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -n "${KOV_KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; for f in "$work"/*.log; do echo "== $f"; tail -5 "$f"; done; exit 1; }

port=$((20000 + RANDOM % 20000))
KOV_CERTIFICATI=@CERTIFICATI@ KOV_ARCHIVIO="$work/archivio" KOV_CODA=@CODA@ \
  "$source_folder/packaging/archivio/kov-certificati.sh" "$work/c" localhost "$port" pc-uno pc-due >/dev/null

# One machine's rsyslogd in the foreground: its own work folder, socket and configurations.
start() {
  local name=$1 certificates=$2 main=$work/$1.conf
  shift 2
  mkdir -p "$work/$name.work"
  {
    echo "global(workDirectory=\"$work/$name.work\" localHostname=\"${HOST_CLAIMED:-$name}\")"
    echo "module(load=\"imuxsock\" SysSock.Use=\"off\")"
    [ -z "${SOCKET:-}" ] || echo "input(type=\"imuxsock\" socket=\"$SOCKET\" useSpecialParser=\"off\" parseHostname=\"on\" annotate=\"on\" parseTrusted=\"on\")"
    for conf in "$@"; do
      sed -e "s|@CERTIFICATI@|$certificates|g" -e "s|@CODA@|$work/$name.work|g" "$conf" >"$work/$name-$(basename "$conf")"
      echo "include(file=\"$work/$name-$(basename "$conf")\")"
    done
  } >"$main"
  sed -i "s|@CERTIFICATI@|$certificates|g" "$certificates"/*.conf
  rsyslogd -n -f "$main" -i "$work/$name.pid" >"$work/$name.log" 2>&1 &
  pids+=($!)
  eval "pid_${name//-/_}=$!"
}
central() { start centrale "$work/c/centrale" "$work/c/centrale/kov-centrale.conf"; }
# Waits until the central folder `name` holds `count` copies.
wait_for() {
  for _ in $(seq 1 100); do
    [ "$(cat "$work/archivio/$1"/*.json 2>/dev/null | wc -l)" -ge "$2" ] && return 0
    sleep 0.2
  done
  fail "$1 holds $(cat "$work/archivio/$1"/*.json 2>/dev/null | wc -l) copies, not $2"
}

started=$SECONDS
central
SOCKET=$work/log.sock start pc-uno "$work/c/pc-uno" "$work/c/pc-uno/kov-postazione.conf" \
  "$work/c/pc-uno/kov-socket.conf"
for _ in $(seq 1 50); do [ -S "$work/log.sock" ] && break; sleep 0.1; done
program=$work/programma
mkdir -p "$program/report"
write() { "$source_folder/tests/archive/with_log_socket.sh" "$work/log.sock" "$writer" "$program" "$@"; }

write 1 3 || fail "the writer refused"
wait_for pc-uno 4  # the chain's start and three entries
grep -q '"KOV_HASH"' "$work"/archivio/pc-uno/*.json || fail "no chain in the central copies"
for field in MESSAGE SYSLOG_IDENTIFIER KOV_EVENT KOV_RECORD KOV_DESCRIPTION KOV_LINK KOV_SEQ \
  KOV_PREV _PID _UID _EXE; do
  grep -q "\"$field\"" "$work"/archivio/pc-uno/*.json || fail "the field $field is missing centrally"
done
grep -q 'Operazione n. 1 è \\"fatta\\"' "$work"/archivio/pc-uno/*.json ||
  fail "the description did not arrive as written"

kill "$pid_centrale"
wait "$pid_centrale" 2>/dev/null || true
write 4 6 || fail "the writer refused while the central side was down"
write report || fail "the report run failed"
central
wait_for pc-uno 10  # three more entries, the report's entry, the removal entry, the run
"$verifier" "$program" "$program/report" "$work"/archivio/pc-uno/*.json >"$work/verifica.txt" ||
  fail "kov-verifica: $(cat "$work/verifica.txt")"
grep -q "scritture rimosse con un report: 7" "$work/verifica.txt" ||
  fail "not every entry was removed with its report: $(cat "$work/verifica.txt")"

# A workstation with its own valid certificate that claims to be pc-uno.
SOCKET=$work/log2.sock HOST_CLAIMED=pc-uno start pc-due "$work/c/pc-due" \
  "$work/c/pc-due/kov-postazione.conf" "$work/c/pc-due/kov-socket.conf"
for _ in $(seq 1 50); do [ -S "$work/log2.sock" ] && break; sleep 0.1; done
before=$(cat "$work"/archivio/pc-uno/*.json | wc -l)
logger -u "$work/log2.sock" -t kov "copia di un'altra postazione"
wait_for pc-due 1
[ "$(cat "$work"/archivio/pc-uno/*.json | wc -l)" -eq "$before" ] ||
  fail "a copy of pc-due landed in pc-uno's folder"
echo "loopback: every copy arrived and was confirmed in $((SECONDS - started)) s"
