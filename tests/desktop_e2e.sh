#!/usr/bin/env bash
# Drives the real program on an X display as a person would, with keys only: the wrong-count
# box, the overflow box, a calculation, Esc, Alt+ы and Enter on Command2. Needs xdotool, xclip
# and xmodmap; run it under xvfb-run with the program's path as the argument.
set -euo pipefail
program=$1
export LC_ALL=C.UTF-8

fail() { echo "FAIL: $*" >&2; exit 1; }

start() {
    "$program" &
    pid=$!
    xdotool search --sync --onlyvisible --name '^Mezolin$' >/dev/null
    sleep 0.5
}

# Waits until a window named $1 is (1) or is not (0) on screen.
expect_box() {
    local wanted=$1 name=$2
    for _ in $(seq 50); do
        if xdotool search --onlyvisible --name "$name" >/dev/null 2>&1; then
            [ "$wanted" = 1 ] && return 0
        else
            [ "$wanted" = 0 ] && return 0
        fi
        sleep 0.1
    done
    fail "box '$name' expected $wanted"
}

# Waits for the program to end and checks its exit status.
expect_exit() {
    local status=0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "program still running after $1"
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "exit status $status after $1"
    echo "ok: $1 ends the program with status 0"
}

title='Ошибка ввода данных?'

# Give the keyboard a Cyrillic letter before the program starts. Left to itself, xdotool maps
# one for each key press and maps it back at once, which races with the program reading the
# changed keyboard map.
xmodmap -e 'keycode 250 = Cyrillic_yeru Cyrillic_YERU Cyrillic_i Cyrillic_I'

# 1. Enter with the hint still in Text1: the wrong-count box; Enter closes it.
start
xdotool key Return
expect_box 1 "$title"
xdotool key Return
expect_box 0 "$title"
kill -0 "$pid" || fail "program ended after the wrong-count box"
echo "ok: wrong-count box shown and closed"

# 2. An out-of-range number: its own box, and the program goes on.
xdotool key Tab Tab Tab ctrl+a
xdotool type --delay 2 -- '1 2 3 40000 5 6 7 8 9 10 11 12 13 14 15 16'
xdotool key Return
expect_box 1 "$title"
xdotool key Return
expect_box 0 "$title"
kill -0 "$pid" || fail "program ended after the overflow box"
echo "ok: overflow box shown and closed, program running"

# 3. A good line: the results, read back through the clipboard from Text3 and Text4.
# Copies the focused box's text and waits until the clipboard holds $1.
expect_copied() {
    xdotool key ctrl+a ctrl+c
    for _ in $(seq 50); do
        [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "expected '$1', the clipboard holds '$(xclip -o -selection clipboard 2>/dev/null)'"
}
xdotool key ctrl+a
xdotool type --delay 2 -- '1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16'
xdotool key Return Tab
expect_copied 16
xdotool key Tab
expect_copied -120
echo "ok: Enter calculates: maximum 16, difference -120"

# 4. A double-click on Text1 empties it (the window opens at 285, 245 with no window manager to
#    move it; Text1 spans 0..225 x 40..59 inside it). What is typed next is then the whole line.
xdotool mousemove 397 294 click --repeat 2 --delay 80 1
xdotool type --delay 2 -- '1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 99'
xdotool key Return Tab
expect_copied 99
echo "ok: double-click empties Text1"

# 5. Esc from a text box ends the program.
xdotool key Escape
expect_exit "Esc"

# 6. Alt+ы ends it too.
start
xdotool key alt+Cyrillic_yeru
expect_exit "Alt+ы"

# 7. Enter on Command2 ends it.
start
xdotool key Tab Return
expect_exit "Enter on Command2"
