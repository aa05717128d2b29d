# shellcheck shell=bash
# Steps shared by the test scripts: the failure line, and what drives a program on an X display
# as a person would. Source it from a bash script; the X steps want the program's process id in
# $pid and the input-error box's title in $title. Every wait is bounded and names its step.

# The one line a failed test ends with, on standard error; the script ends with status 1.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# X tools with a bound: none of them may wait for ever on a display that stopped answering.
x() { timeout 5 xdotool "$@"; }
visible() { x search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

# Waits at most $2 seconds until a window titled Mezolin is on screen, and sets $window to it;
# fails naming the step $1 when none comes, or when the process $3 (if given) ends first.
wait_window() {
    local deadline=$((SECONDS + $2))
    window=
    while [ "$SECONDS" -le "$deadline" ]; do
        window=$(x search --onlyvisible --name '^Mezolin$' 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && return 0
        [ -z "${3:-}" ] || kill -0 "$3" 2>/dev/null || fail "$1: the program ended before its window appeared"
        sleep 0.01
    done
    fail "$1: no window titled Mezolin within $2 s"
}

# Waits at most 5 s until $window has the keyboard; with "take" as $2, asks for it meanwhile, as
# a click on the window would where no window manager gives it. $1 names the step.
has_keyboard() {
    for _ in $(seq 50); do
        [ "${2:-}" != take ] || x windowfocus "$window" 2>/dev/null || true
        [ "$(x getwindowfocus 2>/dev/null)" = "$window" ] && return 0
        sleep 0.1
    done
    fail "$1: the window never got the keyboard"
}

# Waits until exactly $1 windows named $2 are on screen; $3 names the step.
expect_boxes() {
    local wanted=$1 name=$2 step=$3
    for _ in $(seq 50); do
        [ "$(visible "$name")" = "$wanted" ] && return 0
        sleep 0.1
    done
    fail "$step: expected $wanted box(es) '$name', $(visible "$name") on screen"
}

# Waits at most $2 tenths of a second (25 unless given) for the program to end with status 0,
# and sees no input-error box meanwhile; $1 names the step.
expect_exit() {
    local status=0
    for _ in $(seq $((2 * ${2:-25}))); do
        kill -0 "$pid" 2>/dev/null || break
        [ "$(visible "$title")" = 0 ] || fail "$1: a box came up while the program ended"
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && fail "$1: the program still runs after $((${2:-25} * 100)) ms"
    wait "$pid" || status=$?
    pid=
    [ "$status" = 0 ] || fail "$1: exit status $status"
    echo "ok: $1 ends the program with status 0"
}

# Types the 1 … 16 line over what the focused Text1 holds, $1 ms between keys, presses Enter
# and reads the maximum and the difference back through the clipboard. Ends on Text4.
type_one_to_sixteen() {
    x key ctrl+a
    x type --delay "$1" -- '1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16'
    x key Return Tab
    expect_copied 16 "maximum"
    x key Tab
    expect_copied -120 "difference"
}

# Copies the focused box's text and waits until the clipboard holds $1; $2 names the step.
expect_copied() {
    x key ctrl+a ctrl+c
    local held=
    for _ in $(seq 50); do
        held=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
        [ "$held" = "$1" ] && return 0
        sleep 0.1
    done
    fail "$2: expected '$1', the clipboard holds '$held'"
}
