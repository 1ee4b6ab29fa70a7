#!/usr/bin/env bash
# Installs the Debian packages of the groups named, when missing:
#   run       building and running the program
#   headless  serving the window over VNC on a machine without a display
#   test      the tests of ./test.sh
#   wide      the slow and wide checks of scripts/wide-checks.sh
#   archivio  the archive of the copies on rsyslog (packaging/archivio) and its loopback test;
#             the program itself needs none of it
#   windows   kov.exe built with Qt for Windows, its tests run under wine on a virtual display
#   windows-qt  Qt for Windows built from Debian's source, where no packed copy is at hand
set -euo pipefail

declare -A groups=(
  [run]="g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins qt6-translations-l10n
        fonts-dejavu-core"
  [headless]="xvfb xauth jwm x11vnc"
  [test]="libgtest-dev attr iproute2 util-linux desktop-file-utils
          libglib2.0-bin poppler-utils xdotool"
  [archivio]="rsyslog rsyslog-relp gnutls-bin"
  [wide]="libgtest-dev libbenchmark-dev clang clang-tidy cppcheck libclang-rt-14-dev valgrind
          g++-mingw-w64-x86-64 wine64"
  [windows]="g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev qt6-base-dev
             qt6-translations-l10n fonts-dejavu-core libgtest-dev wine64 xvfb xauth jwm xdotool
             x11-apps imagemagick attr"
  [windows-qt]="libwine-dev xz-utils"
)

missing=()
for group in "$@"; do
  [ -n "${groups[$group]:-}" ] || { echo "install-deps.sh: unknown group $group" >&2; exit 2; }
  for package in ${groups[$group]}; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installazione dei pacchetti mancanti: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Servono i permessi di root per apt-get." >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
