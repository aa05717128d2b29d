#!/usr/bin/env bash
# Prints this machine's apt entries for Debian 12 itself (bookworm, bookworm-updates and
# bookworm-security), one per line in the one-line format, as `deb` entries or, with the argument
# deb-src, as `deb-src` entries for the same archives. Reads them through apt, so the machine's
# sources may be in /etc/apt/sources.list, in *.list or in deb822 *.sources files. An archive
# counts as Debian's by the Origin its Release file gives, so third-party entries, even for a
# suite named bookworm, are left out; so are the machine's own deb-src entries. Needs the
# machine's package lists (apt-get update). Exit status 1 when no entry is found.
#   scripts/debian-sources.sh [deb|deb-src]
set -euo pipefail
type=${1:-deb}
case "$type" in
deb | deb-src) ;;
*)
    echo "usage: $0 [deb|deb-src]" >&2
    exit 2
    ;;
esac

entries=$(apt-get indextargets --format '$(SITE) $(RELEASE) $(COMPONENT) $(ORIGIN) $(CODENAME)' \
    'Created-By: Packages' "Architecture: $(dpkg --print-architecture)" |
    awk -v type="$type" '
        $4 == "Debian" && $5 ~ /^bookworm(-updates|-security)?$/ {
            key = $1 " " $2
            if (!(key in components)) { order[++n] = key; components[key] = $3 }
            else if (index(" " components[key] " ", " " $3 " ") == 0) { components[key] = components[key] " " $3 }
        }
        END {
            for (i = 1; i <= n; i++)
                print type " [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] " order[i] " " components[order[i]]
        }')
if [ -z "$entries" ]; then
    echo "$0: no Debian 12 entry among this machine's apt sources with its Release file read;" \
        "run apt-get update first" >&2
    exit 1
fi
printf '%s\n' "$entries"
