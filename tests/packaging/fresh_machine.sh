#!/usr/bin/env bash
# Measures the README's set-up commands as a newcomer meets them: in a minimal Debian root
# (mmdebstrap, variant minbase, no package lists yet) of the given release, by default this
# machine's own, whose apt sources are in the one-line sources.list format, or in deb822 format
# with "deb822". It clones the project in and runs there the first command, with the window
# opening on an X display of the host's (the root shares the host's abstract X sockets), or with
# "test" the second one (CI passed on from the environment, and MEZOLIN_THEN run after it); it prints the time until the window
# is up (or the tests have passed) and what was downloaded. Everything happens inside
# mmdebstrap's own hooks, whose mounts mmdebstrap makes and takes down itself; the command is
# ended before the hook returns, whichever way it returns, and mmdebstrap runs in a mount
# namespace of its own whose mounts never reach the host. Needs root, mmdebstrap, Xvfb and
# xdotool; run it under tests/common/with_xvfb.sh:
#   tests/common/with_xvfb.sh tests/packaging/fresh_machine.sh [one-line|deb822] [start|test] \
#       [bookworm|trixie|...]
set -euo pipefail
format=${1:-one-line}
which=${2:-start}
release=${3:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
# shellcheck source=tests/common/steps.sh
source "$top/tests/common/steps.sh"

# Inside mmdebstrap's customize hook, with the root's path as $4.
if [ "${4:-}" != "" ]; then
    root=$4
    if [ "$format" = deb822 ]; then
        # The same entries as deb822 stanzas, and no sources.list.
        sed -E 's/^deb \[signed-by=([^]]+)\] ([^ ]+) ([^ ]+) (.*)$/Types: deb\nURIs: \2\nSuites: \3\nComponents: \4\nSigned-By: \1\n/' \
            "$root/etc/apt/sources.list" >"$root/etc/apt/sources.list.d/debian.sources"
        rm -f "$root/etc/apt/sources.list"
    fi
    # As a new machine has it: no package lists, no downloaded packages.
    rm -rf "$root"/var/lib/apt/lists/* "$root"/var/cache/apt/*.bin
    find "$root/var/cache/apt/archives" -name '*.deb' -delete
    git clone -q "$top" "$root/src"

    # Bytes received by this machine so far: the root shares its network.
    received() { awk -F'[: ]+' '$2 != "lo" && NR > 2 {s += $3} END {print s}' /proc/net/dev; }
    if [ "$which" = test ]; then
        command=$(sed -n '/^```sh$/{n;n;p;q}' "$top/README.md")
    else
        command=$(sed -n '/^```sh$/{n;p;q}' "$top/README.md")
    fi
    # More to run in the same root once the command has passed, as CI does.
    [ -z "${MEZOLIN_THEN:-}" ] || command="$command && $MEZOLIN_THEN"
    echo "command: $command"
    received_before=$(received)
    started=$(date +%s)
    # In a session of its own, so that the whole of it can be ended.
    setsid chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        ${DISPLAY:+DISPLAY="$DISPLAY"} ${CI:+CI="$CI"} LC_ALL=C.UTF-8 bash -c "cd /src && $command" \
        >"$root/log" 2>&1 &
    pid=$!
    # On the way out, whichever way: the end of the command's log if it failed, and the command
    # ended.
    trap 'status=$?; [ "$status" = 0 ] || tail -n 60 "$root/log"
        kill -KILL -- -"$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT
    if [ "$which" = test ]; then
        wait "$pid" || {
            # What each failed test said; the end of the run follows.
            grep -A 40 -E '\*\*\*Failed|\*\*\*Timeout|Exception' "$root/log" || true
            fail "the tests failed"
        }
        seconds=$(($(date +%s) - started))
        received_after=$(received)
        grep -E 'tests passed|Total Test time' "$root/log"
    else
        wait_window "the README's first command" 180 "$pid"
        seconds=$(($(date +%s) - started))
        received_after=$(received)
        timeout 5 xdotool key --window "$window" Escape 2>/dev/null || true
        timeout 10 tail --pid="$pid" -f /dev/null || true
    fi
    debs=$(find "$root/var/cache/apt/archives" -name '*.deb' | wc -l)
    deb_bytes=$(find "$root/var/cache/apt/archives" -name '*.deb' -printf '%s\n' | awk '{s += $1} END {print s + 0}')
    echo "release: $release; sources: $format"
    echo "$which: done after $seconds s"
    echo "installed: $debs packages, $((deb_bytes / 1000000)) MB of them"
    echo "received over the network meanwhile: $(((received_after - received_before) / 1000000)) MB"
    if [ -n "${MEZOLIN_SHOW_LARGEST:-}" ]; then
        echo "the largest packages:"
        find "$root/var/cache/apt/archives" -name '*.deb' -printf '%s %f\n' | sort -rn |
            head -n "$MEZOLIN_SHOW_LARGEST"
    fi
    exit 0
fi

# shellcheck source=scripts/root.sh
source "$top/scripts/root.sh"
root=$(mktemp -d)
trap 'rm -rf --one-file-system "$root"' EXIT
new_root "$release" "$root" --variant=minbase \
    --customize-hook="$(printf '%q ' "$here/fresh_machine.sh" "$format" "$which" "$release")"' "$1"'
