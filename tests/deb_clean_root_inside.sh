#!/usr/bin/env bash
# The part of tests/deb_clean_root.sh that runs inside the clean root, as its root user.
set -euo pipefail
deb=$1
how=${2:-x11} # or offscreen, where no X server runs (under emulation)
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The tools of the check itself come first, so that they count as already there.
[ "$how" = offscreen ] || apt-get install -y -qq --no-install-recommends xvfb xauth xdotool >/dev/null

# What the system holds before: packages, and files outside the volatile places.
snapshot() {
    dpkg-query -W -f='${Package}\n' | sort >"$1.packages"
    find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /run -o -path /tmp \
        -o -path /var/cache -o -path /var/lib/apt -o -path /var/lib/dpkg -o -path /var/log \
        -o -path /root \) -prune -o -print | sort >"$1.files"
}
snapshot /tmp/before

apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
echo "ok: installed with --no-install-recommends"
test -x /usr/bin/mezolin || fail "no /usr/bin/mezolin"
for f in applications/org.mezolin.Mezolin.desktop metainfo/org.mezolin.Mezolin.metainfo.xml \
    icons/hicolor/{16x16,32x32,48x48}/apps/org.mezolin.Mezolin.png; do
    test -f "/usr/share/$f" || fail "not installed: /usr/share/$f"
done
echo "ok: desktop entry, metainfo and icons in place"
# The face the window is drawn in came with it, in its version 2, whichever package holds it.
face=$(find /usr/share/fonts -name LiberationSans-Regular.ttf | head -n 1)
[ -n "$face" ] || fail "Liberation Sans was not installed"
owner=$(dpkg -S "$face" | cut -d: -f1)
version=$(dpkg-query -W -f='${Version}' "$owner")
case "${version#*:}" in 2.*) ;; *) fail "Liberation Sans $version from $owner, not version 2" ;; esac
echo "ok: Liberation Sans $version from $owner"

if [ "$how" = offscreen ]; then
    # Still running after 30 s: it got past its start-up, which ends it at once on any failure.
    status=0
    QT_QPA_PLATFORM=offscreen timeout 30 mezolin >/tmp/mezolin.log 2>&1 || status=$?
    [ "$status" = 124 ] || { cat /tmp/mezolin.log >&2; fail "mezolin ended with status $status"; }
    echo "ok: the installed mezolin runs (offscreen)"
else
    : >/tmp/display
    # No display number of our own: the root shares the host's abstract X sockets, so Xvfb takes
    # the first one free and says which.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>/tmp/display >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s /tmp/display ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    [ -s /tmp/display ] || fail "Xvfb did not start"
    DISPLAY=:$(head -n 1 /tmp/display)
    export DISPLAY
    mezolin >/tmp/mezolin.log 2>&1 &
    pid=$!
    window=
    for _ in $(seq 100); do
        window=$(timeout 5 xdotool search --onlyvisible --name '^Mezolin$' 2>/dev/null || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || { cat /tmp/mezolin.log >&2; fail "mezolin ended at start"; }
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait "$pid" "$xvfb" 2>/dev/null || true
    [ -n "$window" ] || { cat /tmp/mezolin.log >&2; fail "no window titled Mezolin within 10 s"; }
    echo "ok: the installed mezolin shows its window"
fi

apt-get purge -y -qq mezolin >/dev/null
apt-get autoremove --purge -y -qq >/dev/null
snapshot /tmp/after
diff /tmp/before.packages /tmp/after.packages || fail "packages left behind or removed"
diff /tmp/before.files /tmp/after.files || fail "files left behind or removed"
echo "ok: purged, nothing left behind"
