#!/usr/bin/env bash
# Start-up under Wine, as a ratio: Mezolin.exe against a window with one label built with the
# same Qt (window_bench.exe show label), and, with the same exe, Form1 against that label window
# (show form1), which leaves out the one DLL window_bench loads beyond Mezolin's (Qt6Test.dll).
# All from the unpacked zip's folder, started the same way in one fresh prefix on one X
# display, taking turns; a start is timed from `wine` to its window on screen. Prints the
# medians and their ratios. In the Windows root, once scripts/windows.sh has made the zip:
#   bash scripts/windows.sh run tests/common/with_xvfb.sh bench/wine_startup.sh [rounds, 21 unless given]
set -euo pipefail
rounds=${1:-21}
export LC_ALL=C.UTF-8
cmake --preset windows -DMEZOLIN_BENCH=ON >/dev/null
cmake --build --preset windows --target window_bench >/dev/null

work=$(mktemp -d)
pid=
# shellcheck source=tests/windows/wine_steps.sh
source tests/windows/wine_steps.sh
trap 'end_windows; rm -rf "$work"' EXIT
unzip -q "$(bash scripts/package-file.sh build/windows zip)" -d "$work/unpacked"
folder=$(dirname "$(find "$work/unpacked" -name Mezolin.exe)")
cp build/windows/bench/window_bench.exe "${MEZOLIN_QT_WINDOWS:-/var/cache/mezolin/qt-6.4.2-mingw64}/bin/Qt6Test.dll" \
    "$folder/"
new_windows

# Prints the milliseconds from starting the program to its window, titled Mezolin, on screen;
# then ends it and waits until the window is gone.
one_start() {
    local window= elapsed
    start_wine 30 "$@"
    echo "$elapsed"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
    expect_boxes 0 '^Mezolin$' "$* closed"
}

median() { sort -n | sed -n "$(((rounds + 1) / 2))p"; }

kinds=("Mezolin.exe" "window_bench.exe show form1" "window_bench.exe show label")
for kind in "${kinds[@]}"; do
    # shellcheck disable=SC2086 # the kind is the exe and its arguments
    one_start "$folder"/$kind >/dev/null # the file cache warmed for all
done
for ((round = 0; round < rounds; ++round)); do
    for n in "${!kinds[@]}"; do
        # shellcheck disable=SC2086
        one_start "$folder"/${kinds[n]} >>"$work/times.$n"
    done
done
for n in "${!kinds[@]}"; do
    printf '%-28s median %5d ms of %d starts\n' "${kinds[n]}" "$(median <"$work/times.$n")" "$rounds"
done
awk -v a="$(median <"$work/times.0")" -v b="$(median <"$work/times.1")" \
    -v c="$(median <"$work/times.2")" \
    'BEGIN { printf "Mezolin.exe / label: %.3f\nForm1 / label:       %.3f\n", a / c, b / c }'
