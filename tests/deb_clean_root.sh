#!/usr/bin/env bash
# Installs the .deb into a clean, minimal Debian root of the given release (by default this
# machine's own) made by mmdebstrap from the archives of this machine's own apt sources, as a user's apt would install it: with --no-install-recommends, dependencies
# resolved by apt. There it starts the installed mezolin under Xvfb and waits for its window,
# checks the desktop files, then purges the package and checks that nothing is left behind.
# Needs root. The host's own packages and mounts are not touched: mmdebstrap runs in a mount
# namespace of its own.
#   tests/deb_clean_root.sh build/release/mezolin_1.00_amd64.deb [bookworm|trixie|...]
set -euo pipefail
deb=$(realpath "$1")
release=${2:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf --one-file-system "$root"' EXIT

# Debian's deb entries for that release from the machine's own archives, whichever format its
# sources are in, handed over on standard input; no deb-src or third-party entry.
sources=$("$here/../scripts/debian-sources.sh" deb "$release")
echo "release: $release"
printf '%s\n' "$sources" | unshare --mount --propagation private mmdebstrap --quiet --variant=apt --skip=cleanup/apt/lists \
    --customize-hook="copy-in $deb /tmp" \
    --customize-hook="copy-in $here/deb_clean_root_inside.sh /tmp" \
    --customize-hook='chroot "$1" bash /tmp/deb_clean_root_inside.sh /tmp/'"$(basename "$deb")" \
    "$release" "$root" -
