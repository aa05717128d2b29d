#!/usr/bin/env bash
# Installs the Debian packages that Mezolin needs, on Debian 12 or 13, in layers; name the layers
# you want:
#   bash scripts/deps.sh              building and starting the program, and nothing more
#   bash scripts/deps.sh test         that, and what every test on Linux needs
#   bash scripts/deps.sh packages     only what building and checking the packages needs on this
#                                     machine: Debian's tools (sbuild, autopkgtest, piuparts,
#                                     reprotest, lintian, …) and mmdebstrap, which makes the roots
#                                     they work in, the Debian 12 root of the Windows build among
#                                     them (MinGW-w64, Wine, NSIS and the rest are in that root)
# Safe to run again: only what is missing is installed. Needs root (or sudo).
set -euo pipefail

# Building and starting the program: the compiler, CMake, Ninja, Qt's development packages, and
# what the program needs at run time (its face and Qt's texts in Russian).
packages=(
    cmake ninja-build g++ qt6-base-dev
    fonts-liberation2 qt6-translations-l10n
)
[ "$*" != packages ] || packages=()
for layer in "$@"; do
    case "$layer" in
    test)
        packages+=(
            libgtest-dev libbenchmark-dev
            clang-19 libclang-rt-19-dev
            xvfb xauth xdotool xclip x11-utils x11-xserver-utils x11-xkb-utils
            at-spi2-core python3-pyatspi dbus-daemon qt6-wayland
            desktop-file-utils appstream dpkg-dev file mmdebstrap
        )
        ;;
    packages)
        packages+=(
            mmdebstrap sbuild uidmap autopkgtest piuparts reprotest disorderfs faketime
            debhelper lintian devscripts blhc checksec qemu-user-static diffoscope-minimal
        )
        ;;
    *)
        echo "$0: unknown layer '$layer' (test, packages)" >&2
        exit 2
        ;;
    esac
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# sbuild and autopkgtest build and test in user namespaces, where root's ids map to a range of
# subordinate ids of its own: give root one, after every range already given, where it has none.
if [[ " $* " == *" packages "* ]]; then
    for kind in uid gid; do
        ! grep -qE '^(root|0):' "/etc/sub$kind" 2>/dev/null || continue
        start=$(cat "/etc/sub$kind" 2>/dev/null |
            awk -F: 'BEGIN { end = 100000 } $2 + $3 > end { end = $2 + $3 } END { print end }')
        "${sudo_cmd[@]}" usermod "--add-sub${kind}s" "$start-$((start + 65535))" root
        echo "$0: root had no subordinate ${kind}s; gave it $start-$((start + 65535)) in /etc/sub$kind"
    done
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
