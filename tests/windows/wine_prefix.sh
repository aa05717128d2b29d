# shellcheck shell=bash
# new_wine_prefix PREFIX SCRATCH [SECONDS] makes a fresh Wine prefix as a Windows system is: 64-bit,
# at 96 dpi, with Windows' fonts (Tahoma) and none of this machine's, which a fontconfig that knows
# no folder (written into SCRATCH) hides. Its Wine server stays up for good, which spares programs
# "wine client error ... Connection reset by peer" between runs; or, given SECONDS, that long after
# the last program ends, so that `wineserver -w` can wait for all a program started. It exports
# WINEPREFIX and the Wine settings, and returns non-zero when the prefix cannot be made.
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
