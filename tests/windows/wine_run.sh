#!/usr/bin/env bash
# Runs a Windows program under Debian's Wine in a fresh prefix of its own (wine/<random name> in
# the current folder: tests side by side never share one), with the Windows Qt and the MinGW
# runtime on its DLL path and the QT_* variables passed on. Exit status: the program's.
#   tests/windows/wine_run.sh program.exe [arguments...]
set -euo pipefail
exe=$1
shift

qt=/var/cache/mezolin/qt-6.4.2-mingw64
gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$gcc_dlls");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
# Wine hands the program the variables named WINE<name> as <name>, and no QT_* of its own.
while IFS='=' read -r name value; do
    export "WINE$name=$value"
done < <(env | grep -E '^QT_[A-Z_]+=')
export WINEQT_FORCE_STDERR_LOGGING=1

# shellcheck source=tests/windows/wine_prefix.sh
source "$(dirname "$0")/wine_prefix.sh"
mkdir -p "$PWD/wine"
scratch=$(mktemp -d)
prefix=$(mktemp -d "$PWD/wine/$(basename "$exe" .exe).XXXXXX")
trap 'end_wine_prefix "$prefix"; rm -rf "$prefix" "$scratch"' EXIT
# Making a prefix failed once in about 60 programs in earlier runs, in under a second and with
# nothing said, and has not come back since; should it come, wine_prefix.sh says which step
# failed, and the prefix is made once more, after the failed one's server has ended.
if ! new_wine_prefix "$prefix" "$scratch"; then
    echo "making the Wine prefix once more" >&2
    end_wine_prefix "$prefix"
    new_wine_prefix "$prefix" "$scratch"
fi
wine "$exe" "$@"
