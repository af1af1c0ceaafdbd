#!/usr/bin/env bash
# Uses the program as an operator would, on a real X server: clicks the encryption page's controls at the
# pixels their dialog units give, types into the input box and reads the result through the clipboard.
# Run inside xvfb-run; $1 is the program.
set -euo pipefail
program=$1

# Base units of the two template fonts as mapped on Linux: main window 7 x 15, pages 6 x 13.
MAIN_X=7 MAIN_Y=15 PAGE_X=6 PAGE_Y=13
muldiv() { echo $(( ($1 * $2 + $3 / 2) / $3 )); }

"$program" & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(xdotool search --sync --name "Talmir工具" | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"

[ "$WIDTH" -eq "$(muldiv 279 $MAIN_X 4)" ] && [ "$HEIGHT" -eq "$(muldiv 166 $MAIN_Y 8)" ] ||
    { echo "client area ${WIDTH}x${HEIGHT}"; exit 1; }

# Centre of a page control: tab control at (0, 1) of the main window, page at (1, 22) of the tab control.
click() {
    local x=$(( X + 1 + $(muldiv "$1" $PAGE_X 4) + $(muldiv "$3" $PAGE_X 4) / 2 ))
    local y=$(( Y + $(muldiv 1 $MAIN_Y 8) + 22 + $(muldiv "$2" $PAGE_Y 8) + $(muldiv "$4" $PAGE_Y 8) / 2 ))
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
}

expect_clipboard() {
    local got
    got=$(xclip -o -selection clipboard)
    [ "$got" = "$1" ] || { echo "expected '$1', clipboard holds '$got'"; exit 1; }
}

. "$(dirname "$0")/encrypt_steps.sh"

# Esc in the input box ends the program.
xdotool key Escape
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || exit 0; sleep 0.1; done
echo "the program did not end on Esc"
exit 1
