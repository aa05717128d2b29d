#!/usr/bin/env bash
# Makes build/arm64/mezolin_<version>_arm64.deb, the same package as the amd64 one, for 64-bit Arm
# Debian 12 (Raspberry Pi OS, Arm laptops and boards): cross-built with the arm64 preset, its
# tests run under qemu-user, and packed with CPack.
#
# Everything happens in a Debian 12 root of its own with amd64 and arm64 packages side by side
# (the cross compiler, Qt for arm64, Qt's amd64 host tools, qemu-user-static), made by mmdebstrap
# from the archives of this machine's apt sources and cached in /var/cache/mezolin/arm64-root
# (or $MEZOLIN_CACHE/arm64-root), as scripts/root.sh describes. The host's dpkg architectures
# and binfmt_misc are left alone: the mounts live in a mount namespace of this script's own, and
# the tests name qemu themselves.
# Needs root (or sudo) and mmdebstrap. With `prepare`, only makes the root.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=CI,MEZOLIN_CACHE "$0" "$@"

# shellcheck source=scripts/root.sh
source scripts/root.sh
packages=(
    build-essential crossbuild-essential-arm64 cmake ninja-build dpkg-dev file
    qt6-base-dev qt6-base-dev:arm64 qt6-wayland:arm64 libgtest-dev:arm64 qemu-user-static
    fonts-liberation2 qt6-translations-l10n
)
cached_root arm64-root amd64,arm64 /src -- "${packages[@]}"
[ "${1:-}" != prepare ] || exit 0

# The clone is mounted into the root; the build folder is the clone's own build/arm64.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
in_root "$root" "$PWD:/src" -- bash -euo pipefail -c '
    cd /src
    cmake --preset arm64
    cmake --build --preset arm64
    ctest --preset arm64
    cd build/arm64
    cpack -G DEB'
sha256sum "$(bash scripts/package-file.sh build/arm64 deb)"
