#!/usr/bin/env bash
# Makes build/arm64/mezolin_<version>_arm64.deb, the same package as the amd64 one, for 64-bit Arm
# Debian 12 (Raspberry Pi OS, Arm laptops and boards): cross-built with the arm64 preset, its
# tests run under qemu-user, and packed with CPack.
#
# Everything happens in a Debian 12 root of its own with amd64 and arm64 packages side by side
# (the cross compiler, Qt for arm64, Qt's amd64 host tools, qemu-user-static), made by mmdebstrap
# from the archives of this machine's apt sources and cached in /var/cache/mezolin/arm64-root
# (or $MEZOLIN_CACHE/arm64-root) with a stamp naming what it was made from and the versions it
# holds. The root is made again when the stamp no longer matches, put in place only when whole,
# and a folder there without our stamp is never touched. A lock makes a second run wait for the
# first and use its root. The host's dpkg architectures and binfmt_misc are left alone: the
# mounts live in a mount namespace of this script's own, and the tests name qemu themselves.
# Needs root (or sudo) and mmdebstrap.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=CI,MEZOLIN_CACHE "$0" "$@"

cache=${MEZOLIN_CACHE:-/var/cache/mezolin}
root=$cache/arm64-root
stamp_name=mezolin-stamp
packages=(
    build-essential crossbuild-essential-arm64 cmake ninja-build dpkg-dev file
    qt6-base-dev qt6-base-dev:arm64 qt6-wayland:arm64 libgtest-dev:arm64 qemu-user-static
    fonts-liberation2 qt6-translations-l10n
)
sources=$(bash scripts/debian-sources.sh deb bookworm)
wanted="bookworm amd64,arm64 ${packages[*]} $(printf '%s' "$sources" | sha256sum | cut -c1-16)"

mkdir -p "$cache"
exec 9>"$cache/arm64-root.lock"
flock 9

if [ "$(head -n 1 "$root/$stamp_name" 2>/dev/null)" != "$wanted" ]; then
    if [ -e "$root" ] && [ ! -f "$root/$stamp_name" ]; then
        echo "$0: $root exists but is no root that this script made (it has no $stamp_name);" \
            "move it away or set MEZOLIN_CACHE" >&2
        exit 1
    fi
    started=$SECONDS
    stage=$(mktemp -d "$cache/.arm64-stage.XXXXXX")
    trap 'rm -rf --one-file-system "$stage"' EXIT
    printf '%s\n' "$sources" |
        unshare --mount --propagation private mmdebstrap --quiet --variant=apt \
            --architectures=amd64,arm64 --include="$(
                IFS=,
                echo "${packages[*]}"
            )" --customize-hook='mkdir -p "$1/src"' bookworm "$stage/root" -
    {
        echo "$wanted"
        chroot "$stage/root" dpkg-query -W -f='${Package}:${Architecture} ${Version}\n'
    } >"$stage/root/$stamp_name"
    if [ -e "$root" ]; then
        mv -T "$root" "$stage/old"
    fi
    mv -T "$stage/root" "$root"
    echo "arm64 build root made in $((SECONDS - started)) s: $root"
fi

# The clone is mounted into the root; the build folder is the clone's own build/arm64.
epoch=$(git log -1 --format=%ct 2>/dev/null || echo "${SOURCE_DATE_EPOCH:-}")
unshare --mount --propagation private bash -euo pipefail -c '
    root=$1
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs tmpfs "$root/tmp"
    mount --bind "$PWD" "$root/src"
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 \
        CI="$2" SOURCE_DATE_EPOCH="$3" bash -euo pipefail -c "
            cd /src
            cmake --preset arm64
            cmake --build --preset arm64
            ctest --preset arm64
            cd build/arm64 && rm -f ./*.deb && cpack -G DEB"
' arm64-build "$root" "${CI:-}" "$epoch"
ls -l build/arm64/mezolin_*_arm64.deb
