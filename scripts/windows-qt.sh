#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows from Debian's own qt6-base source with MinGW-w64. Run by
# scripts/windows.sh in its Debian 12 root, with the clone at /src; Qt is installed where the root
# sees its cache, /var/cache/mezolin/qt-6.4.2-mingw64.
#   windows-qt.sh stamp   prints what a build here is made from: the Debian source version, the
#                         MinGW-w64 versions, the options and the toolchain file
#   windows-qt.sh         builds and installs it
set -euo pipefail
cd "$(dirname "$0")/.."
upstream=6.4.2
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake

# The source built is the version of the root's own Qt, whose moc, uic and rcc the Windows build
# uses; a security update of that Qt therefore rebuilds this one too, as does one of MinGW-w64.
version() { dpkg-query -W -f='${Version}' "$1"; }
version=$(version qt6-base-dev)
[[ $version == "$upstream"+* ]] || { echo "$0: the root's Qt is $version, not $upstream" >&2 && exit 1; }

# Only Core, Gui, Widgets and Test, with the windows and offscreen platforms and the windowsvista
# style. The +dfsg source has no wintab, so no tablet events. OpenGL stays on: the 6.4.2 Windows
# platform plugin does not compile without it. Without Direct2D, DirectWrite 3 has to go too, or
# qwindows.dll does not link. Leaving out image formats, PDF, Markdown and the like as well saved
# no build time (docs/measurements.md).
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DFEATURE_pkg_config=OFF -DFEATURE_network=OFF
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
)
stamp="qt6-base $version mingw-w64 $(version g++-mingw-w64-x86-64-posix)"
stamp+=" $(version binutils-mingw-w64-x86-64) ${options[*]} $(sha256sum "$toolchain" | cut -c1-16)"
[ "${1:-}" != stamp ] || { echo "$stamp" && exit 0; }

work=$(mktemp -d)
(cd "$work" && apt-get source --download-only -qq "qt6-base=$version" &&
    dpkg-source -x ./qt6-base_"${version#*:}".dsc src >/dev/null)
started=$SECONDS
# Qt records its install folder and the toolchain file's path in its CMake files: the folder
# where the root sees the cache, and the toolchain file where the root sees the clone.
cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX=/var/cache/mezolin/qt-$upstream-mingw64 "${options[@]}" \
    >"$work/configure.log" || { tail -n 50 "$work/configure.log" && exit 1; }
cmake --build "$work/build" >"$work/build.log" ||
    { grep -B 5 -A 20 -m 3 'FAILED' "$work/build.log" && exit 1; }
cmake --install "$work/build" >/dev/null
echo "Qt $version for Windows built in $((SECONDS - started)) s"
