#!/usr/bin/env bash
# Drives Mezolin.exe from the Windows zip as a person would: unpacked into an empty folder,
# started under Wine in a fresh prefix on an X display at 96 dpi, a calculation typed and read
# back through the clipboard, the overflow box, and Esc. Run it under tests/with_xvfb.sh:
#   tests/with_xvfb.sh tests/windows_zip_e2e.sh build/windows/Mezolin-1.00-win64.zip [shot.png]
set -euo pipefail
zip=$(realpath "$1")
shot=${2:-}
export LC_ALL=C.UTF-8

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES='mscoree,mshtml='
pid=
cleanup() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
title='Ошибка ввода данных?'
# shellcheck source=tests/x11_steps.sh
source "$(dirname "$0")/x11_steps.sh"

mkdir "$work/unpacked" "$WINEPREFIX"
unzip -q "$zip" -d "$work/unpacked"
exe=$(find "$work/unpacked" -name Mezolin.exe)
[ -n "$exe" ] || fail "no Mezolin.exe in the zip"
wineserver -p
timeout 120 wineboot -i >/dev/null 2>&1 || fail "the Wine prefix could not be made"
cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

started=$(date +%s%N)
wine "$exe" &
pid=$!
window=
for _ in $(seq 200); do
    window=$(x search --onlyvisible --name '^Mezolin$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || fail "Mezolin.exe ended before its window appeared"
    sleep 0.05
done
[ -n "$window" ] || fail "no window titled Mezolin within 10 s"
echo "ok: the window appeared $((($(date +%s%N) - started) / 1000000)) ms after the start"
# No window manager gives it the keyboard: do what a click on it would.
x windowfocus "$window"
sleep 1

# Focus starts on Command1: three tabs reach Text1.
x key Tab Tab Tab ctrl+a
x type --delay 5 -- '1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16'
x key Return
sleep 0.5
[ -n "$shot" ] && import -window root -crop 500x400+200+200 "$shot"
x key Tab
expect_copied 16 "maximum"
x key Tab
expect_copied -120 "difference"
x key Tab Tab Tab
expect_copied 136 "sum"
echo "ok: Enter calculates: sum 136, maximum 16, difference -120"

x key Tab ctrl+a
x type --delay 5 -- '1 2 3 40000 5 6 7 8 9 10 11 12 13 14 15 16'
x key Return
expect_boxes 1 "$title" "overflow"
x key Return
expect_boxes 0 "$title" "overflow box closed"
kill -0 "$pid" 2>/dev/null || fail "the program ended after the overflow box"
echo "ok: the overflow box shown and closed, the program goes on"

x windowfocus "$window" || true
sleep 0.3
x key Escape
expect_exit "Esc" 100
