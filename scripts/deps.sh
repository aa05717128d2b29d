#!/usr/bin/env bash
# Installs the Debian packages that Mezolin needs, on Debian 12 or 13, in layers; name the layers
# you want:
#   bash scripts/deps.sh              building and starting the program, and nothing more
#   bash scripts/deps.sh test         that, and what every test on Linux needs
#   bash scripts/deps.sh windows      only what scripts/windows.sh and scripts/arm64.sh need on
#                                     this machine: mmdebstrap, which makes the Debian 12 root
#                                     they build in, with MinGW-w64, Wine, NSIS and the rest in it
# Safe to run again: only what is missing is installed. Needs root (or sudo).
set -euo pipefail

# Building and starting the program: the compiler, CMake, Ninja, Qt's development packages, and
# what the program needs at run time (its face and Qt's texts in Russian).
packages=(
    cmake ninja-build g++ qt6-base-dev
    fonts-liberation2 qt6-translations-l10n
)
[ "$*" != windows ] || packages=()
for layer in "$@"; do
    case "$layer" in
    test)
        packages+=(
            libgtest-dev libbenchmark-dev
            clang-19 libclang-rt-19-dev
            xvfb xauth xdotool xclip x11-utils x11-xserver-utils x11-xkb-utils
            at-spi2-core python3-pyatspi dbus-daemon qt6-wayland
            desktop-file-utils appstream dpkg-dev file lintian checksec mmdebstrap
        )
        ;;
    windows) packages+=(mmdebstrap) ;;
    *)
        echo "$0: unknown layer '$layer' (test, windows)" >&2
        exit 2
        ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
