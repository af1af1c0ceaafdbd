#!/usr/bin/env bash
# The window's start beside its reference in one run: the time from starting a program until its window
# is shown on the X server, for Korvane and for a bare Qt dialog with three tabs, taken in turn.
#   window_start.sh KORVANE BARE_DIALOG [ROUNDS]
# Run inside xvfb-run. Prints the median of each and their ratio.
set -euo pipefail
korvane=$(realpath "$1")
bare=$(realpath "$2")
rounds=${3:-15}
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

# Milliseconds from the start of `program` until a window named `title` is mapped.
shown_after() {
    local program=$1 title=$2 start end pid
    start=$(date +%s%N)
    (cd "$workdir" && exec "$program" >/dev/null 2>&1) &
    pid=$!
    # Polled every 5 ms: xdotool's own --sync waits half a second between its looks.
    for _ in $(seq 4000); do
        xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 && break
        sleep 0.005
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One start of each before measuring, so that both find the libraries and fonts in the page cache.
shown_after "$bare" "^bare dialog$" >/dev/null 2>&1
shown_after "$korvane" "^Talmir工具$" >/dev/null 2>&1
for _ in $(seq "$rounds"); do
    shown_after "$bare" "^bare dialog$" >>"$workdir/bare" 2>/dev/null
    shown_after "$korvane" "^Talmir工具$" >>"$workdir/korvane" 2>/dev/null
done
bare_ms=$(median <"$workdir/bare")
korvane_ms=$(median <"$workdir/korvane")
awk -v n="$rounds" -v k="$korvane_ms" -v b="$bare_ms" 'BEGIN {
    printf "Window start, median of %d (ms): Korvane %s, bare Qt dialog with three tabs %s, ratio %.2fx\n", n, k, b, k / b }'
