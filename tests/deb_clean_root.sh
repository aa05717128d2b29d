#!/usr/bin/env bash
# Installs the .deb into a clean, minimal Debian root of the given release (by default this
# machine's own) made by mmdebstrap from the archives of this machine's own apt sources, as a
# user's apt would install it: with --no-install-recommends, dependencies resolved by apt. There
# it starts the installed mezolin and sees it run (its window under Xvfb; for a package of
# another architecture, offscreen under emulation), checks the desktop files, then purges the
# package and checks that nothing is left behind. Needs root. The host's own packages, mounts
# and binfmt_misc are not touched: mmdebstrap runs in a mount namespace of its own, and for
# another architecture in a user namespace with a binfmt_misc of its own (Linux 6.7 or later)
# that runs that architecture's programs with qemu-user.
#   tests/deb_clean_root.sh build/release/mezolin_1.00_amd64.deb [bookworm|trixie|...]
set -euo pipefail
deb=$(realpath "$1")
release=${2:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
here=$(cd "$(dirname "$0")" && pwd)
arch=$(dpkg-deb --field "$deb" Architecture)
root=$(mktemp -d)
trap 'rm -rf --one-file-system "$root"' EXIT

# Debian's deb entries for that release from the machine's own archives, whichever format its
# sources are in, handed over on standard input; no deb-src or third-party entry.
sources=$("$here/../scripts/debian-sources.sh" deb "$release")
echo "release: $release; architecture: $arch"
bootstrap=(mmdebstrap --quiet --variant=apt --skip=cleanup/apt/lists --architectures="$arch"
    --customize-hook="copy-in $deb /tmp"
    --customize-hook="copy-in $here/deb_clean_root_inside.sh /tmp")

if [ "$arch" = "$(dpkg --print-architecture)" ]; then
    printf '%s\n' "$sources" | unshare --mount --propagation private "${bootstrap[@]}" \
        --customize-hook='chroot "$1" bash /tmp/deb_clean_root_inside.sh /tmp/'"$(basename "$deb")" \
        "$release" "$root" -
    exit 0
fi

[ "$arch" = arm64 ] || { echo "$0: no emulation set up for $arch" >&2; exit 1; }
qemu=$(command -v qemu-aarch64-static ||
    echo "${MEZOLIN_CACHE:-/var/cache/mezolin}/arm64-root/usr/bin/qemu-aarch64-static")
[ -x "$qemu" ] || { echo "$0: no qemu-aarch64-static (bash scripts/arm64.sh makes one)" >&2; exit 1; }
# The ELF header of an arm64 program, as qemu's own binfmt files give it. F: qemu is opened now,
# so that it runs inside the root too.
register=':qemu-aarch64:M::\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\xb7\x00:\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F'
# A user namespace whose root is the host's root, with the first 65536 ids mapped as they are
# (dpkg hands files to system users), and a mount namespace it owns: there binfmt_misc is a new,
# empty instance of its own. The ids are mapped from here, once the namespace exists.
ready=$(mktemp -u)
mkfifo "$ready"
printf '%s\n' "$sources" | unshare --user --mount --propagation private bash -euo pipefail -c '
        read -r _ <"$1"
        binfmt=$(mktemp -d)
        mount -t binfmt_misc binfmt_misc "$binfmt"
        printf "%s" "$2" >"$binfmt/register" # the kernel reads the \x escapes itself
        shift 2
        "$@"
    ' clean-root "$ready" "$register" "${bootstrap[@]}" --skip=check/qemu \
    --customize-hook='chroot "$1" bash /tmp/deb_clean_root_inside.sh /tmp/'"$(basename "$deb")"' offscreen' \
    "$release" "$root" - &
inside=$!
for _ in $(seq 100); do
    [ "$(readlink "/proc/$inside/ns/user")" != "$(readlink /proc/self/ns/user)" ] && break
    sleep 0.05
done
echo "0 0 65536" >"/proc/$inside/uid_map"
echo "0 0 65536" >"/proc/$inside/gid_map"
echo ready >"$ready"
rm -f "$ready"
wait "$inside"
