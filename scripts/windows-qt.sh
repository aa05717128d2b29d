#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows from Debian's own qt6-base source with MinGW-w64. Run by
# scripts/windows.sh in its Debian 12 root, with the clone at /src; there Qt lives in
# /var/cache/mezolin/qt-6.4.2-mingw64, where windows.sh mounts its cache.
#   windows-qt.sh stamp          prints what a build here would be made from: the Debian source
#                                version, the options and the toolchain
#   windows-qt.sh build <stage>  builds it from the deb-src entries in <stage>/sources.list and
#                                installs it, with that stamp, into <stage>/tree
set -euo pipefail
cd "$(dirname "$0")/.."

upstream=6.4.2
prefix=/var/cache/mezolin/qt-$upstream-mingw64
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake

# The source built is the version of the root's own Qt, whose moc, uic and rcc the Windows build
# uses; a security update of that Qt therefore rebuilds this one too, as does one of MinGW-w64.
version() { dpkg-query -W -f='${Version}' "$1"; }
version=$(version qt6-base-dev)
case "$version" in
"$upstream"+*) ;;
*)
    echo "$0: the root's Qt is $version, not $upstream" >&2
    exit 1
    ;;
esac

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
stamp="qt6-base $version mingw-w64 $(version g++-mingw-w64-x86-64-posix)"
stamp+=" $(version binutils-mingw-w64-x86-64) ${options[*]} $(sha256sum "$toolchain" | cut -c1-16)"
case "${1:-}" in
stamp)
    echo "$stamp"
    exit 0
    ;;
build) stage=$2 ;;
*)
    echo "usage: $0 stamp | build <stage>" >&2
    exit 2
    ;;
esac

work=$(mktemp -d)
# apt of our own: its sources file and package lists in the scratch folder.
apt=$work/apt
mkdir -p "$apt/lists/partial" "$apt/cache" "$work/download"
cp "$stage/sources.list" "$apt/sources.list"
cat >"$apt/apt.conf" <<EOF
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "-";
Dir::State::Lists "$apt/lists";
Dir::Cache "$apt/cache";
#clear APT::Update::Post-Invoke-Success;
#clear APT::Update::Post-Invoke;
EOF
chmod 755 "$work"
chown -R _apt "$apt/lists" "$work/download" # apt downloads as the _apt user
apt-get -c "$apt/apt.conf" update -qq
(cd "$work/download" && apt-get -c "$apt/apt.conf" source --download-only -qq "qt6-base=$version" &&
    dpkg-source -x ./qt6-base_"${version#*:}".dsc "$work/src" >/dev/null)

# Qt records its install folder and the toolchain file's path in its CMake files: the folder
# where the root sees the cache, and the toolchain file where the root sees the clone.
started=$(date +%s)
cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$work/configure.log" ||
    { tail -n 50 "$work/configure.log"; exit 1; }
cmake --build "$work/build" -- -k 0 >"$work/build.log" ||
    { grep -B 5 -A 20 -m 3 'FAILED' "$work/build.log"; exit 1; }
DESTDIR=$stage/tree cmake --install "$work/build" >/dev/null
echo "$stamp" >"$stage/tree$prefix/mezolin-stamp"
echo "Qt $version for Windows built in $(($(date +%s) - started)) s"
