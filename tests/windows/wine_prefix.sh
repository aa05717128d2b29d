# Makes a fresh Wine prefix as a Windows system is: source it, then call
#   new_wine_prefix <prefix folder> <scratch folder> [seconds]
# The prefix is 64-bit, at 96 dpi, with the fonts a Windows system has (Tahoma) and none of this
# machine's: Wine finds the host's fonts through fontconfig, so a fontconfig that knows no folder
# (written into the scratch folder) hides them, and a program draws only what it brings. The
# prefix's Wine server stays up for good, which spares programs "wine client error ...
# Connection reset by peer" between runs; or, given seconds, only that long after the last
# program has ended, so that `wineserver -w` can wait for everything a program started.
# Exported: WINEPREFIX and the Wine settings. Returns non-zero when the prefix cannot be made.
new_wine_prefix() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES='mscoree,mshtml='
    echo '<fontconfig></fontconfig>' >"$2/fonts.conf"
    export FONTCONFIG_FILE="$2/fonts.conf"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineserver -p${3:-} || { echo "no Wine server could be started for $WINEPREFIX" >&2; return 1; }
    if ! timeout 120 wineboot -i >"$2/wineboot.log" 2>&1; then
        echo "wineboot could not make $WINEPREFIX:" >&2
        tail -n 20 "$2/wineboot.log" >&2
        return 1
    fi
    cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}
