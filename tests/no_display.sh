#!/usr/bin/env bash
# Starts the program where no display can be opened, as from a text console or over ssh without
# X forwarding: it must say so in one line on standard error and end with status 1, without an
# abort or a core dump.
#   tests/no_display.sh path/to/mezolin
set -euo pipefail
program=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Each case: a name, then the environment it runs in.
check() {
    local name=$1
    shift
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$program" \
        </dev/null >/dev/null 2>"$err" || status=$?
    [ "$status" = 1 ] || fail "$name: exit status $status, not 1 ($(head -c 300 "$err"))"
    [ "$(wc -l <"$err")" = 1 ] || fail "$name: not one line on stderr: $(cat "$err")"
    grep -q 'графический рабочий стол' "$err" || fail "$name: the line does not say why: $(cat "$err")"
    echo "ok: $name: $(cat "$err")"
}

check "no display at all" LC_ALL=C.UTF-8
check "a display that cannot be opened" LC_ALL=C.UTF-8 DISPLAY=:unopenable
check "a Wayland display that cannot be opened" LC_ALL=C.UTF-8 WAYLAND_DISPLAY=nowhere \
    QT_QPA_PLATFORM=wayland
