#!/usr/bin/env bash
# Makes Mezolin for 64-bit Windows on Debian 12, from Debian's packages only:
#   build/windows/Mezolin-<version>-win64.zip         a folder to unpack anywhere and run
#   build/windows/Mezolin-<version>-win64-setup.exe   the installer (NSIS)
# Builds Qt for Windows first if the cache lacks it (scripts/windows-qt.sh), then Mezolin.exe
# with its tests, runs the tests under Wine, and packs the exe with every DLL it needs. Needs
# root (or sudo) to install missing Debian packages.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh windows
bash scripts/windows-qt.sh
cmake --preset windows
cmake --build --preset windows
# Some window tests draw on Windows' own platform, which under Wine needs an X display.
tests/with_xvfb.sh ctest --preset windows
(cd build/windows && cpack -G ZIP && cpack -G NSIS)
ls -l build/windows/Mezolin-*-win64.zip build/windows/Mezolin-*-win64-setup.exe
