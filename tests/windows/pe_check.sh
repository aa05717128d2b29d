#!/usr/bin/env bash
# Reads Windows programs back as Windows does, with exiftool, icoutils and pev; a FAIL line and
# status 1 for what is wrong.
#   pe_check.sh record FILE VERSION FIXED-VERSION [NAME]   a Windows GUI program whose version
#       record (English, Unicode) names Mezolin, those versions and NAME (Mezolin.exe unless
#       given), with icons of 16 and 32 pixels
#   pe_check.sh hardened FILE|FOLDER...   every PE file has DYNAMIC_BASE, HIGH_ENTROPY_VA and
#       NX_COMPAT: loaded anywhere in the 64-bit address space, never running its data as code
set -euo pipefail
# shellcheck source=tests/common/steps.sh
source "$(dirname "$0")/../common/steps.sh"
case $1 in
record)
    read -r -d '' wanted <<EOF_RECORD || true
Windows GUI
$4
$4
English (U.S.)
Unicode
$3
$3
Mezolin
Mezolin
${5:-Mezolin.exe}
EOF_RECORD
    record=$(exiftool -s3 -Subsystem -FileVersionNumber -ProductVersionNumber -LanguageCode \
        -CharacterSet -FileVersion -ProductVersion -ProductName -InternalName -OriginalFileName "$2")
    [ "$record" = "$wanted" ] || fail "$2: the version record reads $(paste -sd'|' <<<"$record")"
    icons=$(wrestool -x -t 14 "$2" | icotool -l -)
    for size in 16 32; do
        grep -q -- "--width=$size --height=$size" <<<"$icons" || fail "$2: no $size-pixel icon"
    done
    echo "ok: $2: $(paste -sd' ' <<<"$record"), icons of 16 and 32 pixels"
    ;;
hardened)
    shift
    count=0
    while IFS= read -r file; do
        flags=$(readpe -h optional "$file" | sed -n 's/^ *DLL characteristics: *//p')
        (((flags & 0x160) == 0x160)) ||
            fail "$file: DllCharacteristics $flags lack DYNAMIC_BASE, HIGH_ENTROPY_VA or NX_COMPAT"
        count=$((count + 1))
    done < <(find "$@" -type f \( -iname '*.exe' -o -iname '*.dll' \))
    [ "$count" -gt 0 ] || fail "no PE file in $*"
    echo "ok: $count PE files, each with DYNAMIC_BASE, HIGH_ENTROPY_VA and NX_COMPAT"
    ;;
*) fail "usage: $0 record FILE VERSION FIXED-VERSION [NAME] | hardened FILE|FOLDER..." ;;
esac
