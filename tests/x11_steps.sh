# Steps shared by the tests that drive a program on an X display as a person would. Source it
# from a bash script that keeps the program's process id in $pid and the input-error box's
# title in $title. Every wait is bounded and names its step.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# X tools with a bound: none of them may wait for ever on a display that stopped answering.
x() { timeout 5 xdotool "$@"; }
visible() { x search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

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
