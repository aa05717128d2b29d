#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows from Debian's own qt6-base source with MinGW-w64, and
# installs it into a cache outside the clone: $MEZOLIN_QT_WINDOWS, by default
# /var/cache/mezolin/qt-6.4.2-mingw64. Does nothing when a build made with the same version,
# options and toolchain is already there. Needs root (or sudo) for the source entry and packages.
set -euo pipefail
cd "$(dirname "$0")/.."

version=6.4.2
prefix=${MEZOLIN_QT_WINDOWS:-/var/cache/mezolin/qt-$version-mingw64}
toolchain=cmake/mingw-w64-x86_64.cmake

# Only Core, Gui, Widgets and Test with the windows (and, for tests, offscreen) platform plugin
# and the windowsvista style. The +dfsg source has no wintab, so no tablet events. OpenGL stays
# on: the 6.4.2 Windows platform plugin does not compile without it, and it needs nothing at run
# time. Without Direct2D, DirectWrite 3 has to go too, or qwindows.dll does not link.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DFEATURE_pkg_config=OFF
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_direct2d=OFF
    -DFEATURE_directwrite3=OFF
)
stamp_text="qt6-base $version mingw-w64 posix ${options[*]} $(sha256sum "$toolchain" | cut -c1-16)"
if [ "$(cat "$prefix/mezolin-stamp" 2>/dev/null)" = "$stamp_text" ]; then
    echo "Qt $version for Windows is ready in $prefix"
    exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

# apt-get source needs a deb-src entry for bookworm main: copy the machine's own entry.
if ! apt-get source --print-uris -qq qt6-base 2>/dev/null | grep -q "qt6-base_$version"; then
    entry=$(grep -l -E '^Suites:.*\bbookworm\b' /etc/apt/sources.list.d/*.sources 2>/dev/null |
        head -n 1 || true)
    if [ -n "$entry" ]; then
        sed -e 's/^Types:.*/Types: deb-src/' "$entry" |
            "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/mezolin-deb-src.sources >/dev/null
    else
        grep -h -E '^deb .* bookworm main' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
            sed -e 's/^deb /deb-src /' |
            "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/mezolin-deb-src.list >/dev/null
    fi
    "${sudo_cmd[@]}" apt-get update -qq
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/mezolin-qt.XXXXXX")
chmod 755 "$work" # apt-get source downloads as the _apt user
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source --download-only -qq qt6-base &&
    dpkg-source -x ./qt6-base_"$version"+*.dsc src >/dev/null)

"${sudo_cmd[@]}" rm -rf "$prefix"
"${sudo_cmd[@]}" mkdir -p "$prefix"
"${sudo_cmd[@]}" chown "$(id -u):$(id -g)" "$prefix"
# Qt records the toolchain file's path, so it is kept beside the build it made.
cp "$toolchain" "$prefix/mingw-w64-x86_64.cmake"

started=$(date +%s)
cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$work/configure.log" ||
    { tail -n 50 "$work/configure.log"; exit 1; }
cmake --build "$work/build" -- -k 0 >"$work/build.log" ||
    { grep -B 5 -A 20 -m 3 'FAILED' "$work/build.log"; exit 1; }
cmake --install "$work/build" >/dev/null
echo "$stamp_text" >"$prefix/mezolin-stamp"
echo "Qt $version for Windows built in $(($(date +%s) - started)) s, installed in $prefix"
