#!/usr/bin/env bash
# Drives the real program on an X display as a person would: the wrong-count box, the overflow
# box, a calculation, a double-click, and every way to end it, keys sent in one go included.
# On an X display of its own (CMakeLists.txt), with the program's path as its argument; every
# wait is bounded and names its step, and the program is killed on any failure.
set -euo pipefail
program=$1
export LC_ALL=C.UTF-8
pid=

# shellcheck source=tests/common/steps.sh
source "$(dirname "$0")/../common/steps.sh"
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; true' EXIT
title='Ошибка ввода данных?'

# Starts the program and waits until its window has the keyboard: keys typed before that go
# to no window at all, as they would on any desktop.
start() {
    "$program" &
    pid=$!
    wait_window "$1" 10 "$pid"
    has_keyboard "$1"
}

# Give the keyboard the Cyrillic letters before the program starts. Left to itself, xdotool maps
# one for each key press and maps it back at once, which races with the program reading the
# changed keyboard map.
timeout 5 xmodmap -e 'keycode 250 = Cyrillic_yeru Cyrillic_YERU Cyrillic_i Cyrillic_I'

# 1. Enter with the hint still in Text1: the wrong-count box; Enter closes it. First, a dock
#    ties the window to its desktop entry by the class in WM_CLASS.
start "wrong count"
entry_class=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../packaging/org.mezolin.Mezolin.desktop")
window_class=$(timeout 5 xprop -id "$(x getwindowfocus)" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
[ -n "$entry_class" ] && [ "$window_class" = "$entry_class" ] ||
    fail "WM_CLASS class '$window_class', desktop entry's StartupWMClass '$entry_class'"
x key Return
expect_boxes 1 "$title" "wrong count"
x key Return
expect_boxes 0 "$title" "wrong count closed"
kill -0 "$pid" || fail "the program ended after the wrong-count box"
echo "ok: wrong-count box shown and closed"

# 2. An out-of-range number: its own box, and the program goes on.
x key Tab Tab Tab ctrl+a
x type --delay 2 -- '1 2 3 40000 5 6 7 8 9 10 11 12 13 14 15 16'
x key Return
expect_boxes 1 "$title" "overflow"
x key Return
expect_boxes 0 "$title" "overflow closed"
kill -0 "$pid" || fail "the program ended after the overflow box"
echo "ok: overflow box shown and closed, program running"

# 3. A good line: the results, read back through the clipboard from Text3 and Text4.
type_one_to_sixteen 2
echo "ok: Enter calculates: maximum 16, difference -120"

# 4. A double-click on Text1 empties it (the window opens at 285, 245 with no window manager to
#    move it; Text1 spans 0..225 x 40..59 inside it). What is typed next is then the whole line.
x mousemove 397 294 click --repeat 2 --delay 80 1
x type --delay 2 -- '1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 99'
x key Return Tab
expect_copied 99 "after the double-click"
echo "ok: double-click empties Text1"

# 5. Esc from a text box ends the program.
x key Escape
expect_exit "Esc"

# 6. Alt+ы ends it too.
start "Alt+ы"
x key alt+Cyrillic_yeru
expect_exit "Alt+ы"

# 7. Enter on Command2 ends it.
start "Enter on Command2"
x key Tab Return
expect_exit "Enter on Command2"

# 8. Esc and Enter in one go, with the hint in Text1: the Enter comes too late to act.
start "Esc and Enter"
x key Escape Return
expect_exit "Esc and Enter in one go"

# 9. Alt+ы and Enter in one go.
start "Alt+ы and Enter"
x key alt+Cyrillic_yeru Return
expect_exit "Alt+ы and Enter in one go"

# 10. Under a Latin layout, the keys of и and ы still act: the Russian layout's second, as on a
#     Russian user's desktop with the Latin layout active. (This resets the key map above.)
timeout 5 setxkbmap -layout us,ru
start "Alt+B under us,ru"
x key alt+b
expect_boxes 1 "$title" "Alt+B under us,ru: the wrong-count box"
x key Return
expect_boxes 0 "$title" "Alt+B under us,ru: box closed"
echo "ok: Alt with the key of и calculates under the Latin layout"
x key alt+s
expect_exit "Alt+S under us,ru"
