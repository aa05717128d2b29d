#!/usr/bin/env bash
# Drives Mezolin.exe from the Windows zip as a person would: unpacked into an empty folder,
# started under Wine in a fresh prefix on an X display at 96 dpi, a calculation typed and read
# back through the clipboard, the overflow box opened with Alt+B, and Esc. On an X display, in the
# Windows root (.ci/run): tests/windows/zip_e2e.sh Mezolin-1.00-win64.zip [screenshot.png]
set -euo pipefail
zip=$(realpath "$1")
shot=${2:-}
export LC_ALL=C.UTF-8

work=$(mktemp -d)
pid=
# shellcheck source=tests/windows/wine_steps.sh
source "$(dirname "$0")/wine_steps.sh"
trap 'end_windows; rm -rf "$work"' EXIT

mkdir "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked"
exe=$(find "$work/unpacked" -name Mezolin.exe)
[ -n "$exe" ] || fail "no Mezolin.exe in the zip"
"$(dirname "$0")/pe_check.sh" hardened "$work/unpacked" ||
    fail "a PE file in the zip is not hardened"
new_windows

start_windows_program "$exe"
calculate_one_to_sixteen
[ -n "$shot" ] && import -window root -crop 500x400+200+200 "$shot"

x key ctrl+a
x type --delay 5 -- '1 2 3 40000 5 6 7 8 9 10 11 12 13 14 15 16'
# Alt with the key of и under the Latin layout: Windows' own scan code reaches the access keys.
x key alt+b
expect_boxes 1 "$title" "overflow after Alt+B"
x key Return
expect_boxes 0 "$title" "overflow box closed"
kill -0 "$pid" 2>/dev/null || fail "the program ended after the overflow box"
echo "ok: the overflow box shown and closed, the program goes on"

escape_ends_it
