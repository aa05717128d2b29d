#!/usr/bin/env bash
# Makes the Windows zip and installer with scripts/windows.sh on a clean Debian machine of
# another release (trixie unless named), and drives both under Wine there, as the main run does:
# the machine is a minimal Debian (mmdebstrap's minbase) with only what the script asks of a
# host added (mmdebstrap and git), this commit cloned into it and the cache folder bound in. Prints the
# checksums of what it made. Needs root.
#   tests/windows_other_host.sh [release]
set -euo pipefail
cd "$(dirname "$0")/.."
release=${1:-trixie}
cache=${MEZOLIN_CACHE:-/var/cache/mezolin}
machine=$(mktemp -d)
trap 'rm -rf --one-file-system "$machine"' EXIT

bash scripts/debian-sources.sh deb "$release" |
    unshare --mount --propagation private mmdebstrap --quiet --variant=minbase \
        --include=mmdebstrap,git,ca-certificates "$release" "$machine/root" -
git clone -q . "$machine/root/root/mezolin"
mkdir -p "$cache" "$machine/root$cache"
# The root bound onto itself is a mount of its own, whose mounts mmdebstrap within can make
# private.
unshare --mount --propagation private bash -euo pipefail -c '
    root=$1 cache=$2
    mount --bind "$root" "$root"
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
    mount -t tmpfs tmpfs "$root/dev/shm"
    mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
    mount --bind "$cache" "$root$cache"
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 \
        CI="${CI:-}" MEZOLIN_CACHE="$cache" bash -euo pipefail -c "
            apt-get update -qq
            cd /root/mezolin
            bash scripts/windows.sh
            zip=\$(bash scripts/package-file.sh build/windows zip)
            setup=\$(bash scripts/package-file.sh build/windows setup)
            bash scripts/windows.sh run tests/with_xvfb.sh tests/windows_zip_e2e.sh \$zip
            bash scripts/windows.sh run tests/with_xvfb.sh tests/windows_setup_e2e.sh \$setup
            . /etc/os-release
            echo \"made on \$PRETTY_NAME:\"
            sha256sum \$zip \$setup"
' other-host "$machine/root" "$cache"
