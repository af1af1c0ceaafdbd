#!/usr/bin/env bash
# Korvane.exe used as an operator would, under Wine on the test session's X display: clicks the encryption
# page's controls at the pixels their dialog units give, types into the input box, reads the results
# through the X clipboard, which Wine shares, and closes the window with Esc.
#   encrypt_under_wine.sh WINE KORVANE_EXE
# Runs with DISPLAY and WINEPREFIX of the started test session (tests/wine/).
set -euo pipefail
wine=$1
program=$2

# Base units of the template fonts in the test prefix (120 dpi): the main window's "MS Shell Dlg" as
# WenQuanYi Micro Hei Mono 9 x 18, the pages' "宋体" as AR PL UMing 7 x 15. Without a window manager Wine draws
# the frame itself: a 4-pixel border around the client area and a 24-pixel caption above it.
MAIN_X=9 MAIN_Y=18 PAGE_X=7 PAGE_Y=15
BORDER=4 CAPTION=24
muldiv() { echo $((($1 * $2 + $3 / 2) / $3)); }

# Output into a file: a Wine program holding CTest's pipe would keep the test from ending.
log=$(mktemp)
"$wine" "$program" </dev/null >"$log" 2>&1 &
pid=$!
finish() {
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        sleep 1
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$log"
}
trap finish EXIT
# A test run that times out ends the script with a signal: the program goes with it.
trap 'exit 1' HUP INT TERM
fail() {
    echo "$1"
    [ -s "$log" ] && sed 's/^/  Korvane.exe: /' "$log"
    exit 1
}

# The main window of this very process; a program that ends before showing it fails here after 30 s.
window=$(timeout 30 xdotool search --sync --onlyvisible --all --pid "$pid" --name "^Talmir工具$" | head -1) ||
    fail "no window Talmir工具 within 30 s"
eval "$(xdotool getwindowgeometry --shell "$window")"
client_width=$(muldiv 279 $MAIN_X 4)
client_height=$(muldiv 166 $MAIN_Y 8)
if [ "$WIDTH" -ne $((client_width + 2 * BORDER)) ] || [ "$HEIGHT" -ne $((client_height + 2 * BORDER + CAPTION)) ]; then
    fail "window ${WIDTH}x${HEIGHT}, expected a client area of ${client_width}x${client_height}"
fi

# Centre of a page control: tab control at (0, 1) of the main window, page at (1, 22) of the tab control.
page_x=$((X + BORDER + 1))
page_y=$((Y + BORDER + CAPTION + $(muldiv 1 $MAIN_Y 8) + 22))
click() {
    local x=$((page_x + $(muldiv "$1" $PAGE_X 4) + $(muldiv "$3" $PAGE_X 4) / 2))
    local y=$((page_y + $(muldiv "$2" $PAGE_Y 8) + $(muldiv "$4" $PAGE_Y 8) / 2))
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
}

# Wine hands the clipboard to X a moment after the program has set it.
expect_clipboard() {
    local got=""
    for _ in $(seq 30); do
        got=$(xclip -o -selection clipboard 2>/dev/null || true)
        [ "$got" = "$1" ] && return 0
        sleep 0.1
    done
    fail "expected '$1', clipboard holds '$got'"
}

. "$(dirname "$0")/encrypt_steps.sh"

# Esc in the input box closes the window, and the program ends with it.
xdotool key Escape
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Korvane.exe did not end within 5 s of Esc"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "Korvane.exe ended with exit status $status"
