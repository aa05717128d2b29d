#!/usr/bin/env bash
# Runs a command on an X display of its own: a new Xvfb at 96 dpi whose display number the
# server picks itself (-displayfd), so that parallel runs never share or race for one. The
# server is ended when the command ends, whatever way it ends. Exit status: the command's.
set -euo pipefail

dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$dir/display" \
    >"$dir/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$dir"' EXIT

for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
if ! [ -s "$dir/display" ]; then
    echo "FAIL: Xvfb did not start within 10 s" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
fi
DISPLAY=:$(head -n 1 "$dir/display")
export DISPLAY

status=0
"$@" || status=$?
exit "$status"
