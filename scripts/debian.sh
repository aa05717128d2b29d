#!/usr/bin/env bash
# Builds and checks the Debian package with Debian's own tools, each in a clean root of the
# release named, made by mmdebstrap from this machine's Debian archives and cached (root.sh):
#   scripts/debian.sh build RELEASE [ARCH]   the source package of the last commit, built by
#       sbuild for ARCH (by default this machine's; another is cross-built, its tests run under
#       qemu-user), into build/debian/RELEASE-ARCH/
#   scripts/debian.sh check RELEASE          the package built on bookworm for this machine,
#       tested as installed on RELEASE by autopkgtest, installed and purged there by piuparts
# Needs root (or sudo) and what `bash scripts/deps.sh packages` installs.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=CI,MEZOLIN_CACHE "$0" "$@"
[ $# -ge 2 ] || {
    echo "usage: $0 build RELEASE [ARCH] | check RELEASE" >&2
    exit 2
}

# shellcheck source=scripts/root.sh
source scripts/root.sh
release=$2
own=$(dpkg --print-architecture)
version=$(dpkg-parsechangelog -S Version)
cached_tarball "$release"

case $1 in
build)
    arch=${3:-$own}
    out=build/debian/$release-$arch
    rm -rf "$out"
    mkdir -p "$out/source"
    git archive --prefix=mezolin/ HEAD | tar -x -C "$out/source"
    (cd "$out/source" && dpkg-source --build mezolin >/dev/null)
    cross=()
    if [ "$arch" != "$own" ]; then
        # Without nocheck, which sbuild adds to a cross build's profiles, and to its options
        # unless they are set.
        cross=(--host="$arch" --profiles=cross)
        export DEB_BUILD_OPTIONS=${DEB_BUILD_OPTIONS-}
    fi
    sbuild --chroot-mode=unshare --chroot="$tarball" --dist="$release" "${cross[@]}" \
        --jobs="$(nproc)" --no-run-lintian --build-dir="$out" \
        "$out/source/mezolin_$version.dsc" >/dev/null ||
        { tail -n 80 "$out/mezolin_${version}_$arch.build"; exit 1; }
    grep -E '^(Status|Build-Time|Package-Time):|tests passed' "$out/mezolin_${version}_$arch.build"
    ls "$out"/*.deb
    ;;
check)
    built=build/debian/bookworm-$own
    deb=$built/mezolin_${version}_$own.deb
    [ -f "$deb" ] || {
        echo "$0: no $deb: run $0 build bookworm first" >&2
        exit 1
    }
    out=build/debian/check-$release
    rm -rf "$out"
    mkdir -p "$out"
    # The tarball has no package lists: -U reads them first.
    autopkgtest -U -o "$out/autopkgtest" "$deb" "$built/source/mezolin/" \
        -- unshare --tarball "$tarball" >"$out/autopkgtest.log" 2>&1 ||
        { tail -n 80 "$out/autopkgtest.log"; exit 1; }
    cat "$out/autopkgtest/summary"
    # Debian 12's piuparts counts debconf's own folder on a Debian 13 root as left behind.
    unshare --mount --propagation private piuparts --basetgz="$tarball" --distribution="$release" \
        --keep-sources-list --ignore=/var/cache/debconf/tmp.ci/ --log-level=info "$deb" \
        >"$out/piuparts.log" 2>&1 || { tail -n 80 "$out/piuparts.log"; exit 1; }
    grep -E 'PASS|FAIL' "$out/piuparts.log"
    ;;
*)
    echo "usage: $0 build RELEASE [ARCH] | check RELEASE" >&2
    exit 2
    ;;
esac
