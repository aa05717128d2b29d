#!/usr/bin/env bash
# Runs a command on an X display of its own: a new Xvfb at 96 dpi on a display number drawn at
# random from 100-899 (another if that one is taken), so that parallel runs never share one and
# a display just left by another run is hardly ever taken again at once. The server is ended
# when the command ends, whatever way it ends. Exit status: the command's.
set -euo pipefail

dir=$(mktemp -d)
xvfb=
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; [ -n "$xvfb" ] && wait "$xvfb" 2>/dev/null; rm -rf "$dir"' EXIT

for _ in $(seq 10); do
    number=$((100 + RANDOM % 800))
    : >"$dir/display"
    # -displayfd: the server writes the number there once it accepts connections.
    # -noreset: without it the server starts afresh whenever its last client leaves, between
    # two programs of a test; it then refuses connections for a moment and forgets any key
    # mapping the test made.
    Xvfb ":$number" -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset \
        3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$dir/display" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$dir/display" ] && break
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    xvfb=
done
if [ -z "$xvfb" ]; then
    echo "FAIL: no Xvfb could be started" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
fi
DISPLAY=:$(head -n 1 "$dir/display")
export DISPLAY

status=0
"$@" || status=$?
exit "$status"
