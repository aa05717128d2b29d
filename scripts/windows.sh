#!/usr/bin/env bash
# Makes build/windows/Mezolin-1.00-win64.zip: builds Qt for Windows first if the cache lacks it
# (scripts/windows-qt.sh), then Mezolin.exe with its tests, runs the tests under Wine, and packs
# the exe with every DLL it needs. Needs root (or sudo) to install missing Debian packages.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
bash scripts/windows-qt.sh
cmake --workflow --preset windows
(cd build/windows && cpack -G ZIP)
ls -l build/windows/Mezolin-1.00-win64.zip
