#!/usr/bin/env bash
# Makes the Windows zip and installer with scripts/windows.sh on a clean Debian machine of
# another release (trixie unless named), and drives both under Wine there, as the main run does:
# the machine is a minimal Debian (mmdebstrap's minbase) with only what the script asks of a
# host added (mmdebstrap and git), this commit cloned into it and the cache folder bound in.
# Prints the checksums of what it made. Needs root.
#   tests/windows/other_host.sh [release]
set -euo pipefail
cd "$(dirname "$0")/../.."
release=${1:-trixie}
# shellcheck source=scripts/root.sh
source scripts/root.sh
machine=$(mktemp -d)
trap 'rm -rf --one-file-system "$machine"' EXIT

new_root "$release" "$machine/root" --variant=minbase --include=mmdebstrap,git,ca-certificates
git clone -q . "$machine/root/root/mezolin"
mkdir -p "$cache" "$machine/root$cache"
MEZOLIN_CACHE=$cache in_root --writable "$machine/root" "$cache:$cache" -- bash -euo pipefail -c '
    apt-get update -qq
    cd /root/mezolin
    bash scripts/windows.sh
    zip=$(bash scripts/package-file.sh build/windows zip)
    setup=$(bash scripts/package-file.sh build/windows setup)
    bash scripts/windows.sh run tests/common/with_xvfb.sh tests/windows/zip_e2e.sh "$zip"
    bash scripts/windows.sh run tests/common/with_xvfb.sh tests/windows/setup_e2e.sh "$setup"
    . /etc/os-release
    echo "made on $PRETTY_NAME:"
    sha256sum "$zip" "$setup"'
