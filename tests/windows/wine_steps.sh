# shellcheck shell=bash
# Steps shared by the tests that drive Mezolin.exe under Wine on an X display as a person would:
# a fresh Windows, the program started and its window waited for, a calculation read back, and
# Esc. Source it from a bash script that has set $work (a scratch folder, removed by the script)
# and keeps the program's process id in $pid; it sources common/steps.sh.

# shellcheck source=tests/common/steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/../common/steps.sh"
title='Ошибка ввода данных?'

# shellcheck source=tests/windows/wine_prefix.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"

# A fresh Windows in a new folder under $work (see wine_prefix.sh); $1 as there.
windows_prefix=
new_windows() {
    local prefix
    prefix=$(mktemp -d "$work/prefix.XXXXXX")
    new_wine_prefix "$prefix" "$work" "${1:-}" || fail "the Wine prefix could not be made"
    windows_prefix=$prefix
}

# Ends the Wine server of the prefix made here, whatever is left running in it; nothing before
# that prefix exists, so that a Wine of the user's own is never touched.
end_windows() {
    [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null
    [ -z "$windows_prefix" ] || end_wine_prefix "$windows_prefix"
}

# Waits at most $2 seconds (120 unless given) until every program in the prefix has ended and
# its Wine server with them (a prefix made with seconds, see new_windows); $1 names the step.
wait_windows() {
    timeout "${2:-120}" wineserver -w ||
        fail "$1: programs still running in the Wine prefix after ${2:-120} s"
}

# Starts the Windows program $1, waits at most 10 s for its window and gives it the keyboard, as a
# click on it would: no window manager does. Prints how long the window took to appear.
start_windows_program() {
    local started
    started=$(date +%s%N)
    wine "$1" &
    pid=$!
    wait_window "$1" 10 "$pid"
    echo "ok: the window appeared $((($(date +%s%N) - started) / 1000000)) ms after the start"
    has_keyboard "$1" take
}

# From the start-up focus (Command1), types the 1 ... 16 line into Text1, presses Enter and reads
# the three results back through the clipboard. Ends with the focus on Text1.
calculate_one_to_sixteen() {
    x key Tab Tab Tab
    type_one_to_sixteen 5
    x key Tab Tab Tab
    expect_copied 136 "sum"
    x key Tab
    echo "ok: Enter calculates: sum 136, maximum 16, difference -120"
}

# Esc ends the program with status 0.
escape_ends_it() {
    has_keyboard "Esc" take
    x key Escape
    expect_exit "Esc" 100
}
