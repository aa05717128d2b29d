# shellcheck shell=bash
# Debian roots of this project's own, and the cache that keeps them: the Debian 12 root the
# Windows build runs in, so that the machine it runs on may be Debian 12 or 13 and keeps its own
# packages as they are, the Qt built there, and the root tarballs that sbuild, autopkgtest and
# piuparts start from. Source it from a bash script run as root.
#
# Each cached thing is a folder, by default under /var/cache/mezolin ($MEZOLIN_CACHE), with a
# stamp in it whose first line names what it was made from. It is made again when that line no
# longer matches, put in place only when whole (a rename of a complete folder), and a folder in
# its place without our stamp is never touched. A lock beside it, held until the script ends,
# makes a second run wait for the first and then use what it made.

cache=${MEZOLIN_CACHE:-/var/cache/mezolin}
stamp_name=mezolin-stamp
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# cached <folder> <wanted> <command>...
# Makes <folder> unless its stamp's first line is <wanted>: <command> is run with a new, empty
# folder as its last argument, beside <folder> on the same disk, and fills it; then the stamp is
# written there (the command may write it itself, with <wanted> as its first line) and the folder
# renamed into place. Exits when <folder> is there without a stamp.
cached() {
    local folder=$1 wanted=$2 lock stage started
    shift 2
    mkdir -p "$(dirname "$folder")"
    exec {lock}>"$folder.lock"
    if ! flock -n "$lock"; then
        echo "waiting for another run to finish with $folder"
        flock "$lock"
    fi
    [ "$(head -n 1 "$folder/$stamp_name" 2>/dev/null)" != "$wanted" ] || return 0
    if [ -e "$folder" ] && [ ! -f "$folder/$stamp_name" ]; then
        echo "$0: $folder exists but is not one that this script made (it has no $stamp_name);" \
            "move it away or set MEZOLIN_CACHE" >&2
        exit 1
    fi
    started=$SECONDS
    stage=$(mktemp -d "$(dirname "$folder")/.$(basename "$folder")-stage.XXXXXX")
    # shellcheck disable=SC2064 # the stage's name is known now
    trap "rm -rf --one-file-system '$stage'" EXIT
    mkdir "$stage/new"
    "$@" "$stage/new"
    [ -f "$stage/new/$stamp_name" ] || echo "$wanted" >"$stage/new/$stamp_name"
    [ "$(head -n 1 "$stage/new/$stamp_name")" = "$wanted" ] ||
        { echo "$0: $* made something else than $wanted" >&2; exit 1; }
    [ ! -e "$folder" ] || mv -T "$folder" "$stage/old"
    mv -T "$stage/new" "$folder"
    rm -rf --one-file-system "$stage"
    trap - EXIT
    echo "$(basename "$folder") made in $((SECONDS - started)) s: $folder"
}

# new_root <release> <target> <mmdebstrap option>...
# Makes a root of the release with mmdebstrap, from this machine's Debian archives, in a mount
# namespace of its own, so that no mount it makes reaches this machine.
new_root() {
    local release=$1 target=$2
    shift 2
    bash "$scripts/debian-sources.sh" deb "$release" |
        unshare --mount --propagation private mmdebstrap --quiet "$@" "$release" "$target" -
}

# Prints a short hash of the release's apt entries on this machine: a cached root is made again
# when they change.
sources_hash() {
    local sources
    sources=$(bash "$scripts/debian-sources.sh" deb "$1")
    printf '%s' "$sources" | sha256sum | cut -c1-16
}

# cached_tarball <release>
# Sets $tarball to a root of that release as mmdebstrap's buildd variant makes it (what sbuild
# needs; autopkgtest and piuparts start from it too), made unless cached. Those tools bring its
# packages up to date themselves.
cached_tarball() {
    local folder=$cache/$1-buildd hash
    tarball=$folder/root.tar.gz
    hash=$(sources_hash "$1")
    cached "$folder" "$1 buildd $hash" make_tarball "$1"
}
make_tarball() { new_root "$1" "$2/root.tar.gz" --variant=buildd; }

# cached_root <name> <architectures> <mount point>... -- <package>...
# Sets $root to a Debian 12 root with those packages, made unless cached, with the mount points
# made in it; its stamp lists the packages it holds.
cached_root() {
    local name=$1 architectures=$2 points=() wanted
    shift 2
    while [ "$1" != -- ]; do
        points+=("$1")
        shift
    done
    shift
    root=$cache/$name
    wanted="bookworm $architectures ${points[*]} -- $* $(sources_hash bookworm)"
    cached "$root" "$wanted" make_root "$wanted" "$architectures" "${points[*]}" "$*"
}
make_root() {
    new_root bookworm "$5" --variant=apt --architectures="$2" --include="${4// /,}" \
        --customize-hook="for p in $3; do mkdir -p \"\$1\$p\"; done"
    { echo "$1" && chroot "$5" dpkg-query -W -f='${Package}:${Architecture} ${Version}\n'; } \
        >"$5/$stamp_name"
}

# in_root [--writable] <root> <bind>... -- <command>...
# Runs the command in the root as root, in a mount namespace of its own, so that none of its
# mounts reach this machine: the root itself (read-only unless --writable), proc, sysfs
# (read-only), /dev, a tmpfs of its own on /tmp (the command's HOME and cache folder) and on
# /dev/shm, this machine's resolv.conf, and each bind given as
# <folder on this machine>:<mount point in the root>[:ro].
# The environment is a clean one with CI, MEZOLIN_CACHE and SOURCE_DATE_EPOCH passed on.
in_root() {
    local mode=ro binds=()
    [ "$1" != --writable ] || { mode=rw && shift; }
    local root=$1
    shift
    while [ "$1" != -- ]; do
        binds+=("$1")
        shift
    done
    shift
    unshare --mount --propagation private bash -euo pipefail -c '
        root=$1 mode=$2 count=$3
        shift 3
        mount --bind "$root" "$root"
        mount -o "remount,bind,$mode" "$root"
        mount -t proc proc "$root/proc"
        mount -t sysfs -o ro sysfs "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs tmpfs "$root/dev/shm"
        mount -t tmpfs tmpfs "$root/tmp"
        [ ! -f "$root/etc/resolv.conf" ] || mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
        for bind in "${@:1:$count}"; do
            IFS=: read -r from to flag <<<"$bind"
            mount --bind "$from" "$root$to"
            [ "$flag" != ro ] || mount -o remount,bind,ro "$root$to"
        done
        shift "$count"
        exec chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/tmp \
            XDG_CACHE_HOME=/tmp/.cache LC_ALL=C.UTF-8 \
            "$@"
    ' in-root "$root" "$mode" "${#binds[@]}" "${binds[@]}" \
        CI="${CI:-}" MEZOLIN_CACHE="${MEZOLIN_CACHE:-}" SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-}" "$@"
}
