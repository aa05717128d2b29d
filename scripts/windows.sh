#!/usr/bin/env bash
# Makes Mezolin for 64-bit Windows from Debian's packages only, on a Debian 12 or 13 machine:
#   build/windows/Mezolin-<version>-win64.zip         a folder to unpack anywhere and run
#   build/windows/Mezolin-<version>-win64-setup.exe   the installer (NSIS)
# Everything happens in a Debian 12 root of its own (scripts/root.sh), cached as windows-root: its
# MinGW-w64, Qt 6.4.2's host tools (moc, uic, rcc), Wine, NSIS and Xvfb, so the result is the same
# on either release and this machine gains none of them. Qt for Windows is built there from
# Debian's qt6-base source unless cached (scripts/windows-qt.sh), then Mezolin.exe with its
# tests, which run under Wine, and the packages. Needs root (or sudo) and mmdebstrap.
#   scripts/windows.sh                 all of that
#   scripts/windows.sh prepare         only the root and Qt
#   scripts/windows.sh package         the packages alone, without the tests
#   scripts/windows.sh run <command>   a command in the root, from the clone's top folder, once
#                                      the root and Qt are ready (the packages' own tests)
# The Qt cache is $MEZOLIN_QT_WINDOWS, by default /var/cache/mezolin/qt-6.4.2-mingw64 (or under
# $MEZOLIN_CACHE); the root sees it where it was built for, the default place.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] ||
    exec sudo --preserve-env=CI,MEZOLIN_CACHE,MEZOLIN_QT_WINDOWS,SOURCE_DATE_EPOCH "$0" "$@"
command -v mmdebstrap >/dev/null || {
    echo "$0: needs mmdebstrap (bash scripts/deps.sh packages)" >&2
    exit 1
}
# shellcheck source=scripts/root.sh
source scripts/root.sh

qt=${MEZOLIN_QT_WINDOWS:-$cache/qt-6.4.2-mingw64}
qt_inside=/var/cache/mezolin/qt-6.4.2-mingw64
packages=(
    cmake ninja-build dpkg-dev xz-utils perl ca-certificates
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qt6-base-dev googletest
    wine wine64 fonts-wine nsis fonts-liberation2 qt6-translations-l10n
    xvfb xauth xdotool xclip python3-pefile unzip
)
cached_root windows-root amd64 /src /stage "$qt_inside" -- "${packages[@]}"
# Times inside the packages come from the last commit, whichever clone and whenever it is built.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH

# Qt for Windows: made again when the stamp of the cached build no longer matches the source
# version, options and toolchain the root has now. It is built in the root, installed into the
# stage that the cache gives it, and moved from there into that folder.
make_qt() {
    local stage
    stage=$(dirname "$1")
    bash scripts/debian-sources.sh deb-src bookworm >"$stage/sources.list"
    in_root "$root" "$PWD:/src:ro" "$stage:/stage" -- bash /src/scripts/windows-qt.sh build /stage
    rmdir "$1"
    mv -T "$stage/tree$qt_inside" "$1"
}
cached "$qt" "$(in_root "$root" "$PWD:/src:ro" -- bash /src/scripts/windows-qt.sh stamp)" make_qt
echo "Qt for Windows: $qt ($(cut -d' ' -f2 "$qt/$stamp_name"))"

case "${1:-}" in
prepare) exit 0 ;;
run)
    shift
    in_root "$root" "$PWD:/src" "$qt:$qt_inside:ro" -- bash -c 'cd /src && "$@"' run "$@"
    exit
    ;;
esac
in_root "$root" "$PWD:/src" "$qt:$qt_inside:ro" -- bash -euo pipefail -c '
    cd /src
    if [ "$1" = package ]; then
        cmake --preset windows -DMEZOLIN_TESTS=OFF
        cmake --build --preset windows
    else
        # Some window tests draw on Windows own platform, which under Wine needs an X display.
        tests/common/with_xvfb.sh cmake --workflow --preset windows
    fi
    cd build/windows
    cpack -G ZIP
    cpack -G NSIS' windows "${1:-}"
zip=$(bash scripts/package-file.sh build/windows zip)
setup=$(bash scripts/package-file.sh build/windows setup)
sha256sum "$zip" "$setup"
