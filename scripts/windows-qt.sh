#!/usr/bin/env bash
# Puts Qt for 64-bit Windows (MinGW-w64) into a cache outside the tree and prints its folder:
# ${XDG_CACHE_HOME:-~/.cache}/kov/qt6-mingw-VERSION, VERSION being the host's Qt, whose moc, rcc
# and uic the Windows build uses. A later run finds it there. Where the team's shared folder
# (../shared/windows beside the checkout) holds the same Qt packed, it is unpacked (seconds);
# otherwise Qt's qtbase is built from Debian's own source package of that version with Debian's
# MinGW-w64: about an hour on 2 busy cores.
#   windows-qt.sh            the cache's folder on standard output, made if missing
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh windows >&2
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)  # e.g. 6.4.2+dfsg-10
upstream=${version%%+*}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kov
prefix=$cache/qt6-mingw-$upstream
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "$prefix"
  exit 0
fi
mkdir -p "$cache"
# Made beside the cache's folder and renamed into place when whole: an interrupted run leaves
# nothing that a later one would take for Qt.
work=$(mktemp -d "$cache/.qt6-mingw.XXXXXX")
trap 'rm -rf "$work"' EXIT

packed=../shared/windows/qt6-mingw-$upstream.tar.xz
if [ -f "$packed" ]; then
  echo "Qt $upstream per Windows: estratto da $packed" >&2
  tar -xJf "$packed" -C "$work"
  mv "$work/qt6-mingw" "$prefix"
  echo "$prefix"
  exit 0
fi

echo "Qt $upstream per Windows: compilato dai sorgenti Debian (circa un'ora su 2 core)" >&2
scripts/install-deps.sh windows-qt >&2
cd "$work"
# Debian's source, through a deb-src entry for the mirror of the machine's own entries, kept
# in this folder so that the machine's apt configuration is not touched.
mkdir -p parts lists/partial
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
[ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list)
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\n' "$mirror" "$suite" \
  >parts/src.sources
apt_src=(-o Dir::Etc::SourceParts="$work/parts" -o Dir::Etc::SourceList=/dev/null
  -o Dir::State::Lists="$work/lists")
apt-get "${apt_src[@]}" update >/dev/null
apt-get "${apt_src[@]}" source --download-only "qt6-base=$version" >/dev/null
tar -xf "qt6-base_${version%-*}.orig.tar.xz"
src=$work/qtbase-everywhere-src-$upstream

# Debian's source leaves out the tablet headers; wine's serve, with the three macros they take
# from wine's own headers.
mkdir -p "$src/src/3rdparty/wintab"
{
  cat <<'HEAD'
#include <windows.h>
#ifndef DECL_WINELIB_TYPE_AW
# ifdef UNICODE
#  define DECL_WINELIB_TYPE_AW(type) typedef type##W type;
# else
#  define DECL_WINELIB_TYPE_AW(type) typedef type##A type;
# endif
#endif
#ifndef WINELIB_NAME_AW
# ifdef UNICODE
#  define WINELIB_NAME_AW(func) func##W
# else
#  define WINELIB_NAME_AW(func) func##A
# endif
#endif
#ifndef API
# define API WINAPI
#endif
HEAD
  cat /usr/include/wine/wine/windows/wintab.h
} >"$src/src/3rdparty/wintab/wintab.h"
cp /usr/include/wine/wine/windows/pktdef.h "$src/src/3rdparty/wintab/"
# Without OpenGL the Windows platform plugin must not take its dynamic-OpenGL branch.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  "$src/src/plugins/platforms/windows/qwindowswindow.cpp"

# The program's own toolchain, less what its tests take: a static runtime (Qt's libraries take
# the shared one) and wine to run them; packages only under the target's root.
cat >mingw.cmake <<TOOLCHAIN
include($root/cmake/mingw-w64.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "")
unset(CMAKE_CROSSCOMPILING_EMULATOR)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
nice cmake -S "$src" -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
  -DQt6HostInfo_DIR="/usr/lib/$multiarch/cmake/Qt6HostInfo" \
  -DCMAKE_INSTALL_PREFIX="$work/qt6-mingw" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_icu=OFF \
  -DFEATURE_testlib=ON -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF \
  -DFEATURE_system_jpeg=OFF >/dev/null
nice cmake --build build >/dev/null
cmake --install build >/dev/null
mv "$work/qt6-mingw" "$prefix"
echo "$prefix"
