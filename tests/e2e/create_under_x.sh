#!/usr/bin/env bash
# The creation page on a real X server: type the five inputs, press "确定", and compare every file the
# window wrote (database scripts into the deployment folder named with --deploy-dir, installer scripts in
# the working directory) with what korvane-cli writes for the same inputs from a second copy of it. Were
# the option lost, the window would write beside the program instead, and the comparison would fail.
# Run inside xvfb-run; $1 the program, $2 korvane-cli, $3 the sample deployment folder's parent.
set -euo pipefail
program=$(realpath "$1") cli=$(realpath "$2") deploy=$(realpath "$3")

MAIN_Y=15 PAGE_X=6 PAGE_Y=13
muldiv() { echo $(( ($1 * $2 + $3 / 2) / $3 )); }

window_run=$(mktemp -d) cli_run=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$window_run" "$cli_run"' EXIT
cp -r "$deploy/脚本代码" "$window_run/"
cp -r "$deploy/脚本代码" "$cli_run/"

(cd "$window_run" && exec "$program" --deploy-dir "$window_run") & pid=$!
window=$(xdotool search --sync --name "Talmir工具" | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"

page_click() {
    xdotool mousemove $(( X + 1 + $(muldiv "$1" $PAGE_X 4) + $(muldiv "$3" $PAGE_X 4) / 2 )) \
                      $(( Y + $(muldiv 1 $MAIN_Y 8) + 22 + $(muldiv "$2" $PAGE_Y 8) + $(muldiv "$4" $PAGE_Y 8) / 2 )) click 1
    sleep 0.3
}
type_into() {
    page_click "$1" "$2" 123 14
    xdotool type --delay 20 "$3"
}
# Chinese text goes in through the clipboard: xdotool's typing of characters outside the keymap can lose
# some when the machine is busy.
paste_into() {
    printf '%s' "$3" | xclip -selection clipboard
    page_click "$1" "$2" 123 14
    xdotool key ctrl+v
    sleep 0.2
}

xdotool mousemove $(( X + 165 )) $(( Y + 12 )) click 1    # tab "脚本创建工具"
sleep 0.4
paste_into 111 15 "奥维尔网络"
type_into 111 33 "Talmir"
type_into 111 51 "play.talmir.example"
type_into 111 69 "10.1.2.3"
type_into 111 87 "TalmirReg"
page_click 75 148 60 17                  # 确定

for _ in $(seq 100); do [ -f "$window_run/Talmir/Talmir-all.iss" ] && break; sleep 0.1; done
sleep 0.5
(cd "$cli_run" && "$cli" create --company "奥维尔网络" --platform Talmir --domain play.talmir.example \
    --server 10.1.2.3 --registry TalmirReg --deploy-dir "$cli_run")

diff -r "$window_run" "$cli_run"
[ "$(ls "$window_run/Talmir" | wc -l)" -gt 2 ] || { echo "no installer scripts"; exit 1; }

page_click 160 148 60 17                 # 取消
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || exit 0; sleep 0.1; done
echo "the program did not end on 取消"
exit 1
