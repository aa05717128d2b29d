# shellcheck shell=bash
# Debian roots of this project's own: the Debian 12 root the Windows build runs in, so that the
# machine it runs on may be Debian 12 or 13 and keeps its own packages as they are, and the root
# tarballs that sbuild, autopkgtest and piuparts start from. Source it from a script run as root,
# from the clone's top folder.
#
# A root is made by mmdebstrap from the archives of this machine's apt sources and cached in
# $cache/<name> (by default /var/cache/mezolin/<name>) with a stamp whose first line names what
# it was made from and whose other lines name the package versions it holds. It is made again
# when that first line no longer matches, put in place only when whole (a rename of a complete
# folder), and a folder in its place without our stamp is never touched. The lock
# $cache/<name>.lock, held until the script ends, makes a second run wait for the first and then
# use its root.

cache=${MEZOLIN_CACHE:-/var/cache/mezolin}
stamp_name=mezolin-stamp

# take_lock <name>: holds $cache/<name>.lock until the script ends, waiting for another run
# that holds it.
take_lock() {
    local lock
    mkdir -p "$cache"
    exec {lock}>"$cache/$1.lock"
    if ! flock -n "$lock"; then
        echo "waiting for another run to finish with $cache/$1"
        flock "$lock"
    fi
}

not_ours() {
    echo "$0: $1 exists but is not one that this script made (it has no stamp);" \
        "move it away or set MEZOLIN_CACHE" >&2
    exit 1
}

# cached_tarball <release>
# Sets $tarball to $cache/<release>-buildd.tar.gz, a root of that release as mmdebstrap's buildd
# variant makes it (what sbuild needs; autopkgtest and piuparts start from it too), made unless
# cached, with its stamp beside it. Those tools bring its packages up to date themselves.
cached_tarball() {
    local name=$1-buildd sources wanted stage started
    tarball=$cache/$name.tar.gz
    sources=$(bash scripts/debian-sources.sh deb "$1")
    wanted="$1 buildd $(printf '%s' "$sources" | sha256sum | cut -c1-16)"
    take_lock "$name"
    [ "$(cat "$cache/$name.stamp" 2>/dev/null)" != "$wanted" ] || return 0
    [ ! -e "$tarball" ] || [ -f "$cache/$name.stamp" ] || not_ours "$tarball"
    started=$SECONDS
    stage=$(mktemp -d "$cache/.$name-stage.XXXXXX")
    # shellcheck disable=SC2064 # the stage's name is known now
    trap "rm -rf '$stage'" EXIT
    printf '%s\n' "$sources" | unshare --mount --propagation private \
        mmdebstrap --quiet --variant=buildd "$1" "$stage/$name.tar.gz" -
    rm -f "$cache/$name.stamp"
    mv -f "$stage/$name.tar.gz" "$tarball"
    echo "$wanted" >"$cache/$name.stamp"
    rm -rf "$stage"
    trap - EXIT
    echo "$name made in $((SECONDS - started)) s: $tarball"
}

# cached_root <name> <architectures> <mount point>... -- <package>...
# Sets $root to the root, made unless cached, with the mount points made in it.
cached_root() {
    local name=$1 architectures=$2 points=() sources wanted stage started
    shift 2
    while [ "$1" != -- ]; do
        points+=("$1")
        shift
    done
    shift
    root=$cache/$name
    sources=$(bash scripts/debian-sources.sh deb bookworm)
    wanted="bookworm $architectures ${points[*]} -- $* $(printf '%s' "$sources" | sha256sum | cut -c1-16)"

    take_lock "$name"
    [ "$(head -n 1 "$root/$stamp_name" 2>/dev/null)" != "$wanted" ] || return 0
    [ ! -e "$root" ] || [ -f "$root/$stamp_name" ] || not_ours "$root"
    started=$SECONDS
    stage=$(mktemp -d "$cache/.$name-stage.XXXXXX")
    # shellcheck disable=SC2064 # the stage's name is known now
    trap "rm -rf --one-file-system '$stage'" EXIT
    printf '%s\n' "$sources" |
        unshare --mount --propagation private mmdebstrap --quiet --variant=apt \
            --architectures="$architectures" --include="$(
                IFS=,
                echo "$*"
            )" --customize-hook="for p in ${points[*]}; do mkdir -p \"\$1\$p\"; done" \
            bookworm "$stage/root" -
    {
        echo "$wanted"
        chroot "$stage/root" dpkg-query -W -f='${Package}:${Architecture} ${Version}\n'
    } >"$stage/root/$stamp_name"
    if [ -e "$root" ]; then
        mv -T "$root" "$stage/old"
    fi
    mv -T "$stage/root" "$root"
    rm -rf --one-file-system "$stage"
    trap - EXIT
    echo "$name made in $((SECONDS - started)) s: $root"
}

# in_root <root> <bind>... -- <command>...
# Runs the command in the root as root, in a mount namespace of its own, so that none of its
# mounts reach this machine: the root itself read-only, proc, /dev, a tmpfs of its own on /tmp
# (the command's HOME and cache folder) and on /dev/shm, this machine's resolv.conf, and each
# bind given as <folder on this machine>:<mount point in the root>[:ro]. The environment is a
# clean one with CI and SOURCE_DATE_EPOCH passed on.
in_root() {
    local root=$1 binds=()
    shift
    while [ "$1" != -- ]; do
        binds+=("$1")
        shift
    done
    shift
    unshare --mount --propagation private bash -euo pipefail -c '
        root=$1 count=$2
        shift 2
        mount --bind "$root" "$root"
        mount -o remount,bind,ro "$root"
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs tmpfs "$root/dev/shm"
        mount -t tmpfs tmpfs "$root/tmp"
        [ ! -f "$root/etc/resolv.conf" ] || mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
        for bind in "${@:1:$count}"; do
            IFS=: read -r from to mode <<<"$bind"
            mount --bind "$from" "$root$to"
            [ "$mode" != ro ] || mount -o remount,bind,ro "$root$to"
        done
        shift "$count"
        exec chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/tmp \
            XDG_CACHE_HOME=/tmp/.cache LC_ALL=C.UTF-8 \
            "$@"
    ' in-root "$root" "${#binds[@]}" "${binds[@]}" \
        CI="${CI:-}" SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-}" "$@"
}
