#!/usr/bin/env bash
# Makes build/windows/Mezolin-<version>-win64.zip (a folder to unpack and run) and ...-setup.exe
# (the installer) from Debian's packages only, on Debian 12 or 13, in a Debian 12 root of its own
# (MinGW-w64, Qt's host tools, Wine, NSIS, Xvfb, the test tools), so that either release makes the
# same files and this machine gains none of them: Qt for Windows built there from Debian's source
# (windows-qt.sh), then Mezolin.exe with its tests under Wine, then the packages.
#   scripts/windows.sh [package]       all of that [without the tests]
#   scripts/windows.sh prepare         the root and Qt only
#   scripts/windows.sh run COMMAND...  a command in the root, from the clone's top folder
# The root and Qt are kept in /var/cache/mezolin (or $MEZOLIN_CACHE), each made again when what it
# is made from changes. Needs root, mmdebstrap and bubblewrap.
set -euo pipefail
cd "$(dirname "$0")/.."
cache=${MEZOLIN_CACHE:-/var/cache/mezolin}
root=$cache/windows-root
qt=$cache/qt-6.4.2-mingw64
inside=/var/cache/mezolin/qt-6.4.2-mingw64 # where the root sees Qt: its CMake files name it
packages=(
    cmake ninja-build dpkg-dev xz-utils ca-certificates g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-x86-64 qt6-base-dev googletest wine wine64 fonts-wine nsis
    fonts-liberation2 qt6-translations-l10n xvfb xauth xdotool xclip unzip
    libimage-exiftool-perl icoutils pev
)
# Times inside the packages are the last commit's, whichever clone and whenever it is built.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

# cached FOLDER STAMP COMMAND...: unless FOLDER's stamp reads STAMP, runs COMMAND with a new
# folder beside it as its last argument, stamps that and puts it in FOLDER's place, whole. A
# FOLDER without a stamp is not this script's and is left alone.
cached() {
    local folder=$1 stamp=$2
    shift 2
    [ "$(cat "$folder/mezolin-stamp" 2>/dev/null)" != "$stamp" ] || return 0
    [ ! -e "$folder" ] || [ -f "$folder/mezolin-stamp" ] ||
        { echo "$0: $folder has no mezolin-stamp: move it away" >&2 && exit 1; }
    rm -rf --one-file-system "$folder.new" && mkdir -p "$folder.new"
    "$@" "$folder.new"
    echo "$stamp" >"$folder.new/mezolin-stamp"
    rm -rf --one-file-system "$folder" && mv -T "$folder.new" "$folder"
}

# in_root QT COMMAND...: the command in the root, read-only but for this clone at /src, with Qt
# (the folder QT) where its CMake files expect it, /tmp of its own, a clean environment, no
# network (its X displays meet no other), and no process left once it ends; to build Qt
# ($qt_build set), with the network and Qt's folder writable.
in_root() {
    local qt_folder=$1 net=(--unshare-net) qt_mount=--ro-bind
    shift
    [ -z "${qt_build:-}" ] || { net=() && qt_mount=--bind; }
    bwrap "${net[@]}" --unshare-pid --die-with-parent --ro-bind "$root" / --dev /dev --proc /proc \
        --ro-bind /sys /sys --tmpfs /tmp --ro-bind /etc/resolv.conf /etc/resolv.conf \
        --bind "$PWD" /src "$qt_mount" "$qt_folder" "$inside" --chdir /src --clearenv \
        --setenv PATH /usr/sbin:/usr/bin:/sbin:/bin --setenv LC_ALL C.UTF-8 --setenv HOME /tmp \
        --setenv XDG_CACHE_HOME /tmp --setenv CI "${CI:-}" --setenv SOURCE_DATE_EPOCH "$SOURCE_DATE_EPOCH" "$@"
}

# The root keeps its package lists, deb-src entries included, for Qt's source.
cached "$root" "bookworm ${packages[*]}" mmdebstrap --quiet --variant=apt --skip=cleanup/apt/lists \
    --include="${packages[*]}" --setup-hook='sed -i "p; s/^deb /deb-src /" "$1/etc/apt/sources.list"' \
    --customize-hook='mkdir -p "$1/src" "$1'"$inside"'"' bookworm
build_qt() { qt_build=yes in_root "$1" bash scripts/windows-qt.sh; }
cached "$qt" "$(in_root "$root$inside" bash scripts/windows-qt.sh stamp)" build_qt
case "${1:-}" in
prepare) exit 0 ;;
run)
    shift
    in_root "$qt" "$@"
    exit
    ;;
package) build=(bash -c "cmake --preset windows -DBUILD_TESTING=OFF && cmake --build build/windows") ;;
# Some window tests draw on Windows' own platform, which under Wine needs an X display.
*) build=(xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96 -noreset" bash -c
    "cmake --preset windows && cmake --build build/windows && ctest --preset windows -j\$(nproc)") ;;
esac
in_root "$qt" "${build[@]}"
in_root "$qt" bash -c 'cd build/windows && cpack -G ZIP && cpack -G NSIS'
