#!/usr/bin/env bash
# Prints Debian's apt entries for a release, one per line in the one-line format, as `deb`
# entries or, with deb-src, as `deb-src` entries: the release itself, its -updates and its
# -security suites, from the same archives this machine uses for its own release (read from
# /etc/os-release). The machine's entries are read through apt, so its sources may be in
# /etc/apt/sources.list, in *.list or in deb822 *.sources files. An archive counts as Debian's by
# the Origin its Release file gives, so third-party entries, even for a suite of Debian's name,
# are left out; so are the machine's own deb-src entries. Needs the machine's package lists (apt-get
# update). Exit status 1 when no entry is found.
#   scripts/debian-sources.sh [deb|deb-src] [release, by default the machine's own: bookworm, trixie]
set -euo pipefail
type=${1:-deb}
case "$type" in
deb | deb-src) ;;
*)
    echo "usage: $0 [deb|deb-src] [release]" >&2
    exit 2
    ;;
esac
own=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
release=${2:-$own}
[ -n "$own" ] || {
    echo "$0: /etc/os-release names no release (VERSION_CODENAME)" >&2
    exit 1
}

# Each archive of the machine's own release, with the suite renamed for the release wanted:
# bookworm-security becomes trixie-security on the same site.
entries=$(apt-get indextargets --format '$(SITE) $(COMPONENT) $(ORIGIN) $(CODENAME)' \
    'Created-By: Packages' "Architecture: $(dpkg --print-architecture)" |
    awk -v type="$type" -v own="$own" -v release="$release" '
        $3 == "Debian" && ($4 == own || $4 == own "-updates" || $4 == own "-security") {
            key = $1 " " release substr($4, length(own) + 1)
            if (!(key in components)) { order[++n] = key; components[key] = $2 }
            else if (index(" " components[key] " ", " " $2 " ") == 0) { components[key] = components[key] " " $2 }
        }
        END {
            for (i = 1; i <= n; i++)
                print type " [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] " order[i] " " components[order[i]]
        }')
if [ -z "$entries" ]; then
    echo "$0: no entry for Debian's $own among this machine's apt sources with its Release file" \
        "read; run apt-get update first" >&2
    exit 1
fi
printf '%s\n' "$entries"
