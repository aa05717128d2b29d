#!/usr/bin/env bash
# Installs Mezolin with its Windows installer as a user would, silently, into a fresh Wine
# prefix on an X display at 96 dpi; checks what is installed, runs the program from its Start
# menu shortcut, installs again over it, uninstalls, and checks that nothing of Mezolin is left.
# On an X display, in the Windows root (.ci/run): tests/windows/setup_e2e.sh Mezolin-1.00-win64-setup.exe
set -euo pipefail
setup=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
export LC_ALL=C.UTF-8

work=$(mktemp -d)
pid=
# shellcheck source=tests/windows/wine_steps.sh
source "$here/wine_steps.sh"
trap 'end_windows; rm -rf "$work"' EXIT

# The version, as the installer's name gives it: Mezolin-<version>-win64-setup.exe.
version=$(basename "$setup")
version=${version#Mezolin-}
version=${version%-win64-setup.exe}

# 0. The installer's own file, as Windows reads it.
"$here/pe_check.sh" record "$setup" "$version" "${version%%.*}.$((10#${version#*.})).0.0" \
    "$(basename "$setup")"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
new_windows 1
drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/Mezolin"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Mezolin.lnk"

# What a user's Windows holds, Mezolin's or not: the files of drive C, the programs Apps &
# Features lists and the Start menu. Left out: Windows' own folder, and the temporary folders,
# which Windows empties itself (the uninstaller runs from a copy of itself there, and leaves
# that copy's empty folder behind).
snapshot() {
    wait_windows "the snapshot $(basename "$1")"
    (cd "$drive" && find . \( -path ./windows -o -path './users/*/Temp' \) -prune -o -print |
        sort) >"$1.files"
    wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | grep -v '^$' >"$1.uninstall" || true
    (cd "$drive/ProgramData/Microsoft/Windows/Start Menu" && find . | sort) >"$1.menu"
}

# Runs the installer (or the uninstaller) silently and waits until it and whatever it started
# have ended.
run_silently() {
    local status=0
    timeout 300 wine "$@" || status=$?
    [ "$status" != 124 ] || fail "$(basename "$1") $2 still ran after 300 s"
    [ "$status" = 0 ] || fail "$(basename "$1") $2 ended with status $status"
    wait_windows "$(basename "$1") $2"
}

value() {
    wine reg query "$uninstall_key\\Mezolin" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

entries() {
    wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | grep -c 'DisplayName.*REG_SZ *Mezolin$' || true
}

snapshot "$work/before"

# 1. Install.
run_silently "$setup" /S
echo "ok: installed silently"

# 2. What is there.
for f in Mezolin.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll platforms/qwindows.dll \
    LiberationSans-Regular.ttf translations/qtbase_ru.qm licenses/Mezolin.txt Uninstall.exe; do
    [ -f "$folder/$f" ] || fail "not installed: C:\\Program Files\\Mezolin\\$f"
done
[ -f "$shortcut" ] || fail "no Start menu shortcut"
"$here/pe_check.sh" hardened "$setup" "$folder" ||
    fail "a PE file of the installer or of what it installed is not hardened"
[ "$(value DisplayName)" = Mezolin ] || fail "DisplayName is '$(value DisplayName)'"
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(value DisplayVersion)', not '$version'"
for name in DisplayIcon Publisher EstimatedSize UninstallString QuietUninstallString; do
    [ -n "$(value "$name")" ] || fail "the uninstall key has no $name"
done
echo "ok: C:\\Program Files\\Mezolin, the Start menu shortcut and the uninstall key" \
    "(DisplayName Mezolin, DisplayVersion $version, size $(($(value EstimatedSize))) KiB)"

# 3. Run it from the shortcut's target.
target=$(exiftool -s3 -LocalBasePath "$shortcut")
[ "$target" = 'C:\Program Files\Mezolin\Mezolin.exe' ] || fail "the shortcut points at '$target'"
start_windows_program "$target"
calculate_one_to_sixteen
escape_ends_it

# 4. Install again, over it: still one program in Apps & Features and one shortcut.
run_silently "$setup" /S
[ "$(entries)" = 1 ] || fail "$(entries) uninstall entries named Mezolin after a second install"
[ "$(find "$drive/ProgramData/Microsoft/Windows/Start Menu" -iname '*mezolin*' | wc -l)" = 1 ] ||
    fail "not one Start menu entry after a second install"
[ -f "$folder/Mezolin.exe" ] || fail "no Mezolin.exe after a second install"
echo "ok: installed again over it: one uninstall entry, one Start menu entry"

# 5. Install again into a folder of the user's choice: the program moves there, still once.
run_silently "$setup" /S '/D=C:\Mezolin'
moved="$drive/Mezolin"
[ -f "$moved/Mezolin.exe" ] || fail "no Mezolin.exe in C:\Mezolin after /D="
[ ! -e "$folder" ] || fail "C:\Program Files\Mezolin is still there after the move"
[ "$(entries)" = 1 ] || fail "$(entries) uninstall entries named Mezolin after the move"
[ "$(exiftool -s3 -LocalBasePath "$shortcut")" = 'C:\Mezolin\Mezolin.exe' ] ||
    fail "the shortcut does not point into C:\Mezolin"
[ "$(value InstallLocation)" = 'C:\Mezolin' ] || fail "InstallLocation is '$(value InstallLocation)'"
echo "ok: /D= installs into C:\Mezolin, and the earlier installation is gone"

# 6. Uninstall, as Apps & Features would, silently.
uninstall=$(value UninstallString)
uninstall=${uninstall//\"/}
run_silently "$uninstall" /S
[ ! -e "$moved" ] || fail "C:\\Mezolin is still there: $(ls -A "$moved")"
[ ! -e "$shortcut" ] || fail "the Start menu shortcut is still there"
[ "$(entries)" = 0 ] || fail "the uninstall key is still there"
snapshot "$work/after"
for part in files uninstall menu; do
    diff "$work/before.$part" "$work/after.$part" ||
        fail "the uninstall left $part that were not there before"
done
echo "ok: uninstalled: the folder, the shortcut and the key are gone, and nothing else changed"
