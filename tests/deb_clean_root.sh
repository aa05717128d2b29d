#!/usr/bin/env bash
# Installs the .deb into a clean, minimal Debian 12 root made by mmdebstrap from this machine's
# own apt sources, as a user's apt would install it: with --no-install-recommends, dependencies
# resolved by apt. There it starts the installed mezolin under Xvfb and waits for its window,
# checks the desktop files, then purges the package and checks that nothing is left behind.
# Needs root. The host's own packages are not touched.
#   tests/deb_clean_root.sh build/release/mezolin_1.00_amd64.deb
set -euo pipefail
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# The machine's own deb entries for Debian 12, whichever format its sources are in, handed over
# on standard input; no deb-src or third-party entry.
sources=$("$here/../scripts/debian-sources.sh" deb)
printf '%s\n' "$sources" | mmdebstrap --quiet --variant=apt --skip=cleanup/apt/lists \
    --customize-hook="copy-in $deb /tmp" \
    --customize-hook="copy-in $here/deb_clean_root_inside.sh /tmp" \
    --customize-hook='chroot "$1" bash /tmp/deb_clean_root_inside.sh /tmp/'"$(basename "$deb")" \
    bookworm "$root" -
