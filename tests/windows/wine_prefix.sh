# shellcheck shell=bash
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
    # Status 2, with nothing said, is Wine's for a folder whose server lock another server holds:
    # the lock is kept under the folder's device and inode number.
    wineserver -p${3:-} || {
        echo "no Wine server could be started for $WINEPREFIX (status $?)" >&2
        return 1
    }
    if ! timeout 120 wineboot -i >"$2/wineboot.log" 2>&1; then
        echo "wineboot could not make $WINEPREFIX:" >&2
        tail -n 20 "$2/wineboot.log" >&2
        return 1
    fi
    cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# end_wine_prefix <prefix folder>
# Ends the prefix's Wine server and whatever runs in it, and waits until the server is gone and
# its lock free, so that the folder can be removed: `wineserver -k` does not wait once it has had
# to kill the server, and a folder made next with the same inode number would find it held.
end_wine_prefix() {
    WINEPREFIX=$1 timeout 30 wineserver -k 2>/dev/null || true
    WINEPREFIX=$1 timeout 30 wineserver -w 2>/dev/null || true
}
