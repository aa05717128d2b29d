#!/usr/bin/env bash
# Runs a Windows program under Debian's Wine, in a fresh Wine prefix of its own under the
# current folder (wine/<program>), with the Windows Qt and the MinGW runtime on its DLL path.
# QT_* variables reach the program as they would on Windows. Exit status: the program's.
#   tests/wine_run.sh program.exe [arguments...]
set -euo pipefail
exe=$1
shift

qt=${MEZOLIN_QT_WINDOWS:-/var/cache/mezolin/qt-6.4.2-mingw64}
gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
export WINEPREFIX="$PWD/wine/$(basename "$exe" .exe)"
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES='mscoree,mshtml='
# Wine finds this machine's fonts through fontconfig; a fontconfig that knows no folder hides
# them, so that a program sees the fonts a Windows system has and what it brings itself.
fonts=$(mktemp)
echo '<fontconfig></fontconfig>' >"$fonts"
export FONTCONFIG_FILE=$fonts
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$gcc_dlls");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
# Wine hands the program the variables named WINE<name> as <name>, and no QT_* of its own.
while IFS='=' read -r name value; do
    export "WINE$name=$value"
done < <(env | grep -E '^QT_[A-Z_]+=')
export WINEQT_FORCE_STDERR_LOGGING=1

rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# One server for the prefix for the whole run: without it, programs fail now and then with
# "wine client error ... Connection reset by peer".
wineserver -p
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$fonts"' EXIT
timeout 120 wineboot -i >/dev/null 2>&1
# A Windows system has Tahoma; Debian's Wine keeps it outside the prefix.
cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

status=0
wine "$exe" "$@" || status=$?
exit "$status"
