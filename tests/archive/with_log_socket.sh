#!/usr/bin/env bash
# Runs a command in a mount namespace of its own where /dev/log is the socket given and no
# journal socket exists, so the program's copies go to that socket as to the system's.
# Usage: with_log_socket.sh <socket> <command>...   (as root; util-linux's unshare)
set -euo pipefail
socket=$1
shift
exec unshare --mount --propagation private bash -c '
  set -e
  socket=$1; shift
  keep=$(mktemp -d)
  mount --rbind /dev "$keep"
  mount -t tmpfs -o mode=0755 tmpfs /dev
  for node in null zero full random urandom tty; do
    touch "/dev/$node"
    mount --bind "$keep/$node" "/dev/$node"
  done
  mkdir /dev/shm /dev/pts
  touch /dev/log
  mount --bind "$socket" /dev/log
  if [ -d /run/systemd ]; then mount -t tmpfs tmpfs /run/systemd; fi
  exec "$@"' with_log_socket "$socket" "$@"
