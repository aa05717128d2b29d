#!/usr/bin/env bash
# Makes Mezolin for 64-bit Windows on a Debian 12 machine, from Debian's packages only:
#   build/windows/Mezolin-<version>-win64.zip         a folder to unpack anywhere and run
#   build/windows/Mezolin-<version>-win64-setup.exe   the installer (NSIS)
# Builds Qt for Windows first if the cache lacks it (scripts/windows-qt.sh), then Mezolin.exe
# with its tests, runs the tests under Wine, and packs the exe with every DLL it needs. Needs
# root (or sudo) to install missing Debian packages.
set -euo pipefail
cd "$(dirname "$0")/.."

# Qt for Windows is built with the host's own moc, uic and rcc, which must be Qt 6.4.2's:
# Debian 12's. Say so plainly on any other release, before anything is installed.
if [ "$(. /etc/os-release && echo "$VERSION_CODENAME")" != bookworm ]; then
    echo "$0: the Windows build needs Debian 12's Qt 6.4.2 host tools (moc, uic, rcc), and" \
        "this is $(. /etc/os-release && echo "$PRETTY_NAME"). Run it on a Debian 12 machine," \
        "or in a Debian 12 root: mmdebstrap bookworm, with this clone inside." >&2
    exit 1
fi
bash scripts/deps.sh windows
bash scripts/windows-qt.sh
cmake --preset windows
cmake --build --preset windows
# Some window tests draw on Windows' own platform, which under Wine needs an X display.
tests/with_xvfb.sh ctest --preset windows
(cd build/windows && cpack -G ZIP && cpack -G NSIS)
ls -l build/windows/Mezolin-*-win64.zip build/windows/Mezolin-*-win64-setup.exe
