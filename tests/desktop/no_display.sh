#!/usr/bin/env bash
# Starts the program where no display can be opened, as from a text console or over ssh: it must
# say so in one line on standard error and end with status 1, with no abort or core dump. Where a
# platform plugin is missing instead, it must pass on Qt's reason, which names it, and end so.
#   tests/desktop/no_display.sh [emulator] path/to/mezolin
set -euo pipefail
program=("$@")
err=$(mktemp)
trap 'rm -f "$err"' EXIT

# shellcheck source=tests/common/steps.sh
source "$(dirname "$0")/../common/steps.sh"

# Each case: a name, what stderr must hold ("one line" for the no-display line alone, or a
# text of Qt's reason), then the environment it runs in.
check() {
    local name=$1 wanted=$2
    shift 2
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "${program[@]}" \
        </dev/null >/dev/null 2>"$err" || status=$?
    [ "$status" = 1 ] || fail "$name: exit status $status, not 1 ($(head -c 300 "$err"))"
    if [ "$wanted" = "one line" ]; then
        [ "$(wc -l <"$err")" = 1 ] || fail "$name: not one line on stderr: $(cat "$err")"
        grep -q 'графический рабочий стол' "$err" || fail "$name: the line does not say why: $(cat "$err")"
    else
        grep -qF -- "$wanted" "$err" && ! grep -q 'графический рабочий стол' "$err" ||
            fail "$name: Qt's reason is not passed on: $(cat "$err")"
    fi
    echo "ok: $name: $(head -n 1 "$err")"
}

check "no display at all" "one line" LC_ALL=C.UTF-8
check "an X display that cannot be opened" "one line" LC_ALL=C.UTF-8 DISPLAY=:unopenable
check "a Wayland display that cannot be opened" "one line" LC_ALL=C.UTF-8 WAYLAND_DISPLAY=nowhere \
    QT_QPA_PLATFORM=wayland
check "a missing platform plugin" '"nosuchplugin"' LC_ALL=C.UTF-8 QT_QPA_PLATFORM=nosuchplugin
