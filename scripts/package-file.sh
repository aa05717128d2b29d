#!/usr/bin/env bash
# Prints the path of a Windows package that cpack makes in a build folder, as its CPack
# configuration names it, so that an older version's file left in the folder is never taken for it.
#   scripts/package-file.sh <build folder> zip|setup
set -euo pipefail
build=$1
[ -f "$build/CPackConfig.cmake" ] || {
    echo "$0: $build has no CPack configuration: configure it first" >&2
    exit 1
}
setting() {
    sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" "$build/CPackConfig.cmake"
}
case "${2:-}" in
zip) echo "$build/$(setting CPACK_PACKAGE_FILE_NAME).zip" ;;
setup) echo "$build/$(setting CPACK_PACKAGE_FILE_NAME)-setup.exe" ;;
*)
    echo "usage: $0 <build folder> zip|setup" >&2
    exit 2
    ;;
esac
