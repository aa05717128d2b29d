#!/usr/bin/env bash
# Installs the arm64 .deb into a clean, minimal arm64 Debian root of the given release (by default
# this machine's own) made by mmdebstrap from this machine's Debian archives, starts the installed
# mezolin there (offscreen, under qemu-user), purges the package and checks that nothing is left
# behind: what piuparts does for this machine's own architecture. Needs root and
# qemu-user-static. The host's binfmt_misc is not touched: mmdebstrap runs in a user namespace
# whose mount namespace has a binfmt_misc of its own (Linux 6.7 or later).
#   tests/packaging/arm64_install.sh build/debian/bookworm-arm64/mezolin_1.00_arm64.deb [bookworm|trixie|...]
set -euo pipefail
deb=$(realpath "$1")
release=${2:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
here=$(cd "$(dirname "$0")" && pwd)
qemu=$(command -v qemu-aarch64-static) || { echo "$0: no qemu-aarch64-static" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf --one-file-system "$work"' EXIT

# Run inside the root by the customize hook.
cat >"$work/check.sh" <<'CHECK'
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
snapshot() {
    dpkg-query -W -f='${Package}\n' | sort
    find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp \
        -o -path /var/cache -o -path /var/lib/apt -o -path /var/lib/dpkg -o -path /var/log \
        -o -path /root \) -prune -o -print | sort
}
snapshot >/tmp/before
apt-get install -y -qq --no-install-recommends "/tmp/$1" >/dev/null
# Still running after 30 s: past its start-up, which ends it at once on any failure.
status=0
QT_QPA_PLATFORM=offscreen timeout 30 mezolin >/tmp/mezolin.log 2>&1 || status=$?
[ "$status" = 124 ] || { cat /tmp/mezolin.log; echo "FAIL: mezolin ended with status $status"; exit 1; }
echo "ok: installed, and the installed mezolin runs (offscreen)"
apt-get purge -y -qq mezolin >/dev/null
apt-get autoremove --purge -y -qq >/dev/null
snapshot >/tmp/after
diff /tmp/before /tmp/after || { echo "FAIL: left behind or removed by the purge"; exit 1; }
echo "ok: purged, nothing left behind"
CHECK

# The ELF header of an arm64 program, as qemu's own binfmt files give it. F: qemu is opened now,
# so that it runs inside the root too.
register=':qemu-aarch64:M::\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\xb7\x00:\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F'
# A user namespace whose root is the host's root, with the first 65536 ids mapped as they are
# (dpkg hands files to system users), and a mount namespace it owns: there binfmt_misc is a new,
# empty instance of its own. The ids are mapped from here, once the namespace exists.
ready=$work/ready
mkfifo "$ready"
"$here/../../scripts/debian-sources.sh" deb "$release" | unshare --user --mount --propagation private bash -euo pipefail -c '
        read -r _ <"$1"
        binfmt=$(mktemp -d)
        mount -t binfmt_misc binfmt_misc "$binfmt"
        printf "%s" "$2" >"$binfmt/register" # the kernel reads the \x escapes itself
        shift 2
        "$@"
    ' clean-root "$ready" "$register" mmdebstrap --quiet --variant=apt --architectures=arm64 \
    --skip=cleanup/apt/lists --skip=check/qemu --customize-hook="copy-in $deb $work/check.sh /tmp" \
    --customize-hook='chroot "$1" bash /tmp/check.sh '"$(basename "$deb")" \
    "$release" "$work/root" - &
inside=$!
for _ in $(seq 100); do
    [ "$(readlink "/proc/$inside/ns/user")" != "$(readlink /proc/self/ns/user)" ] && break
    sleep 0.05
done
echo "0 0 65536" >"/proc/$inside/uid_map"
echo "0 0 65536" >"/proc/$inside/gid_map"
echo ready >"$ready"
wait "$inside"
