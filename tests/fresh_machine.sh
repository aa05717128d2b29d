#!/usr/bin/env bash
# Measures the README's set-up commands as a newcomer meets them: in a minimal Debian 12 root
# (mmdebstrap, variant minbase, no package lists yet) whose apt sources are in the one-line
# sources.list format, or in deb822 format with "deb822". It copies the working tree in and
# runs there the first command, with the window opening on an X display of the host's (the root
# shares the host's abstract X sockets), or with "test" the second one; it prints the time until
# the window is up (or the tests have passed) and what was downloaded. Needs root, mmdebstrap,
# Xvfb and xdotool; run it under tests/with_xvfb.sh:
#   tests/with_xvfb.sh tests/fresh_machine.sh [one-line|deb822] [start|test]
set -euo pipefail
format=${1:-one-line}
which=${2:-start}
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

sources=$("$top/scripts/debian-sources.sh" deb)
mmdebstrap --quiet --variant=minbase bookworm "$root" - <<<"$sources"
if [ "$format" = deb822 ]; then
    # The same entries as deb822 stanzas, and no sources.list.
    printf '%s\n' "$sources" | sed -E 's/^deb \[signed-by=([^]]+)\] ([^ ]+) ([^ ]+) (.*)$/Types: deb\nURIs: \2\nSuites: \3\nComponents: \4\nSigned-By: \1\n/' \
        >"$root/etc/apt/sources.list.d/debian.sources"
    rm -f "$root/etc/apt/sources.list"
fi
mkdir -p "$root/src"
git -C "$top" ls-files -z | (cd "$top" && xargs -0 tar -c) | tar -x -C "$root/src"
for fs in proc sys dev; do mount --rbind "/$fs" "$root/$fs"; done
trap 'for fs in proc sys dev; do umount -R "$root/$fs"; done; rm -rf "$root"' EXIT

# Bytes received by this machine so far: the root shares its network.
received() { awk -F'[: ]+' '$2 != "lo" && NR > 2 {s += $3} END {print s}' /proc/net/dev; }

if [ "$which" = test ]; then
    command=$(sed -n '/^```sh$/{n;n;p;q}' "$top/README.md")
else
    command=$(sed -n '/^```sh$/{n;p;q}' "$top/README.md")
fi
echo "command: $command"
received_before=$(received)
started=$(date +%s)
chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DISPLAY="$DISPLAY" \
    LC_ALL=C.UTF-8 bash -c "cd /src && $command" >"$root/log" 2>&1 &
pid=$!
if [ "$which" = test ]; then
    wait "$pid" || { tail -n 40 "$root/log"; echo "FAIL: the tests failed" >&2; exit 1; }
    seconds=$(($(date +%s) - started))
    received_after=$(received)
    grep -E 'tests passed|Total Test time' "$root/log"
else
    window=
    for _ in $(seq 1800); do
        window=$(timeout 5 xdotool search --onlyvisible --name '^Mezolin$' 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || { tail -n 30 "$root/log"; echo "FAIL: the command ended" >&2; exit 1; }
        sleep 0.1
    done
    [ -n "$window" ] || { tail -n 30 "$root/log"; echo "FAIL: no window in 3 minutes" >&2; exit 1; }
    seconds=$(($(date +%s) - started))
    received_after=$(received)
    timeout 5 xdotool key --window "$window" Escape 2>/dev/null || true
    wait "$pid" || true
fi
debs=$(find "$root/var/cache/apt/archives" -name '*.deb' | wc -l)
deb_bytes=$(find "$root/var/cache/apt/archives" -name '*.deb' -printf '%s\n' | awk '{s += $1} END {print s + 0}')
echo "sources: $format"
echo "$which: done after $seconds s"
echo "installed: $debs packages, $((deb_bytes / 1000000)) MB of them"
echo "received over the network meanwhile: $(((received_after - received_before) / 1000000)) MB"
if [ -n "${MEZOLIN_SHOW_LARGEST:-}" ]; then
    echo "the largest packages:"
    find "$root/var/cache/apt/archives" -name '*.deb' -printf '%s %f\n' | sort -rn |
        head -n "$MEZOLIN_SHOW_LARGEST"
fi
