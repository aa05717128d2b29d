#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows from Debian's own qt6-base source with MinGW-w64, and
# installs it into a cache outside the clone: $MEZOLIN_QT_WINDOWS, by default
# /var/cache/mezolin/qt-6.4.2-mingw64. Does nothing when a build of the same Debian source
# version, options and toolchain is already there.
#
# The host is left as it is: the source comes through an apt configuration of this script's own
# (its sources file and package lists in a scratch folder), Qt is built and installed in a
# scratch folder, and the cache is replaced only once all of that has succeeded. A folder in the
# cache's place that holds no stamp of this script is never deleted. Needs root (or sudo) only
# where the cache's parent folder is not writable.
set -euo pipefail
cd "$(dirname "$0")/.."

upstream=6.4.2
prefix=${MEZOLIN_QT_WINDOWS:-/var/cache/mezolin/qt-$upstream-mingw64}
toolchain=cmake/mingw-w64-x86_64.cmake
stamp_name=mezolin-stamp

# The source built is the version of the host's own Qt, whose moc, uic and rcc the Windows build
# uses; a security update of the host's Qt therefore rebuilds this one too.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) || {
    echo "$0: qt6-base-dev is not installed (bash scripts/deps.sh)" >&2
    exit 1
}
case "$version" in
"$upstream"+*) ;;
*)
    echo "$0: the host's Qt is $version, not $upstream" >&2
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
stamp_text="qt6-base $version mingw-w64 posix ${options[*]} $(sha256sum "$toolchain" | cut -c1-16)"
if [ "$(cat "$prefix/$stamp_name" 2>/dev/null)" = "$stamp_text" ]; then
    echo "Qt $version for Windows is ready in $prefix"
    exit 0
fi
if [ -e "$prefix" ] && [ ! -f "$prefix/$stamp_name" ]; then
    echo "$0: $prefix exists but is no Qt that this script built (it has no $stamp_name);" \
        "move it away or set MEZOLIN_QT_WINDOWS" >&2
    exit 1
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
parent=$(dirname "$prefix")
if [ ! -d "$parent" ] || [ ! -w "$parent" ]; then
    "${sudo_cmd[@]}" mkdir -p "$parent"
    "${sudo_cmd[@]}" chown "$(id -u):$(id -g)" "$parent"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/mezolin-qt.XXXXXX")
# The staged install sits beside the cache, on the same disk, so that putting it in place is a
# rename.
stage=$(mktemp -d "$parent/.qt-stage.XXXXXX")
trap 'rm -rf "$work" "$stage"' EXIT

# apt of our own: Debian's deb-src entries for the archives the machine already uses.
apt=$work/apt
mkdir -p "$apt/lists/partial" "$apt/cache" "$work/download"
bash scripts/debian-sources.sh deb-src >"$apt/sources.list"
cat >"$apt/apt.conf" <<EOF
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "-";
Dir::State::Lists "$apt/lists";
Dir::Cache "$apt/cache";
#clear APT::Update::Post-Invoke-Success;
#clear APT::Update::Post-Invoke;
EOF
chmod 755 "$work"
if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then
    chown -R _apt "$apt/lists" "$work/download" # apt downloads as the _apt user
fi
apt-get -c "$apt/apt.conf" update -qq
(cd "$work/download" && apt-get -c "$apt/apt.conf" source --download-only -qq "qt6-base=$version" &&
    dpkg-source -x ./qt6-base_"${version#*:}".dsc "$work/src" >/dev/null)

# Qt records its install folder, and the toolchain file's path, in its CMake files: configure
# for the cache's own path and install into the stage below it; the toolchain file it names is
# the copy kept inside the cache.
cp "$toolchain" "$work/mingw-w64-x86_64.cmake"
started=$(date +%s)
cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$work/configure.log" ||
    { tail -n 50 "$work/configure.log"; exit 1; }
cmake --build "$work/build" -- -k 0 >"$work/build.log" ||
    { grep -B 5 -A 20 -m 3 'FAILED' "$work/build.log"; exit 1; }
DESTDIR=$stage cmake --install "$work/build" >/dev/null
built=$stage$prefix
cp "$toolchain" "$built/mingw-w64-x86_64.cmake"
grep -rlF "$work/mingw-w64-x86_64.cmake" "$built" |
    xargs -r sed -i "s|$work/mingw-w64-x86_64.cmake|$prefix/mingw-w64-x86_64.cmake|g"
echo "$stamp_text" >"$built/$stamp_name"

# Into place: the old cache, if any, holds its stamp (checked above).
if [ -e "$prefix" ]; then
    mv "$prefix" "$stage/old"
fi
mv "$built" "$prefix"
echo "Qt $version for Windows built in $(($(date +%s) - started)) s, installed in $prefix"
