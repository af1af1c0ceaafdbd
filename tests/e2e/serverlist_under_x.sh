#!/usr/bin/env bash
# The server list page's round trip on a real X server, as an operator does it: load the file beside the
# program, add, edit, move, delete, save, reload and save again. The files are read back with korvane-cli.
# Run inside xvfb-run; $1 is the program, $2 korvane-cli.
set -euo pipefail
program=$1 cli=$2

MAIN_Y=15 PAGE_X=6 PAGE_Y=13
muldiv() { echo $(( ($1 * $2 + $3 / 2) / $3 )); }

folder=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$folder"' EXIT
cp "$program" "$folder/Korvane"
# The client's installer ships the name in upper case; the editor finds it all the same.
"$cli" serverlist add "$folder/ServerInfo.INI" --name "Alpha" --addr 10.0.0.1 --domain a.example.com
"$cli" serverlist add "$folder/ServerInfo.INI" --name "Beta" --addr 10.0.0.2 --domain b.example.com
"$cli" serverlist add "$folder/ServerInfo.INI" --name "Gamma" --addr 10.0.0.3 --domain c.example.com

"$folder/Korvane" & pid=$!
window=$(xdotool search --sync --name "Talmir工具" | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
MX=$X MY=$Y

# Centre of a control in dialog units of the page font; page at (1, 22) of the tab control at (0, 1).
page_click() {
    xdotool mousemove $(( MX + 1 + $(muldiv "$1" $PAGE_X 4) + $(muldiv "$3" $PAGE_X 4) / 2 )) \
                      $(( MY + $(muldiv 1 $MAIN_Y 8) + 22 + $(muldiv "$2" $PAGE_Y 8) + $(muldiv "$4" $PAGE_Y 8) / 2 )) click 1
    sleep 0.3
}
# Selects line $1 of the list box (9, 7): a click on the top line, then the arrow keys, which do not
# depend on the height of a line.
list_line() {
    xdotool mousemove $(( MX + 1 + $(muldiv 9 $PAGE_X 4) + 40 )) \
                      $(( MY + $(muldiv 1 $MAIN_Y 8) + 22 + $(muldiv 7 $PAGE_Y 8) + 9 )) click 1
    sleep 0.2
    for _ in $(seq "$1"); do xdotool key Down; done
    sleep 0.2
}
# The entry dialog: fill the three boxes (empty ones are left alone) and press "确定".
entry_dialog() {
    local dialog
    dialog=$(xdotool search --sync --name "编辑服务器信息" | head -1)
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    local row=0
    for value in "$1" "$2" "$3"; do
        local y=$(( (7 + 22 * row + (row == 2 ? 2 : 0)) ))
        if [ -n "$value" ]; then
            xdotool mousemove $(( X + $(muldiv 65 $PAGE_X 4) + 40 )) $(( Y + $(muldiv "$y" $PAGE_Y 8) + 8 )) click 1
            sleep 0.2
            xdotool key ctrl+a
            xdotool type --delay 20 "$value"
        fi
        row=$(( row + 1 ))
    done
    xdotool mousemove $(( X + $(muldiv 38 $PAGE_X 4) + $(muldiv 50 $PAGE_X 4) / 2 )) \
                      $(( Y + $(muldiv 83 $PAGE_Y 8) + $(muldiv 15 $PAGE_Y 8) / 2 )) click 1
    sleep 0.4
}

expect_file() {
    local got
    got=$("$cli" serverlist show "$folder/ServerInfo.INI")
    [ "$got" = "$1" ] || { printf 'expected:\n%s\ngot:\n%s\n' "$1" "$got"; exit 1; }
}

xdotool mousemove $(( MX + 280 )) $(( MY + 12 )) click 1    # tab "ServerInfo.ini 编辑器"
sleep 0.4

page_click 46 125 35 14                  # 添加
entry_dialog "Delta" "10.0.0.4" "d.example.com"
list_line 1                              # Beta
page_click 119 125 35 14                 # 编辑
entry_dialog "" "" "beta.example.com"
list_line 0                              # Alpha
page_click 272 59 35 14                  # 下移: Beta, Alpha, Gamma, Delta
list_line 2                              # Gamma
page_click 196 125 35 14                 # 删除
page_click 75 148 60 17                  # 保存
expect_file $'Beta\t10.0.0.2\tbeta.example.com\nAlpha\t10.0.0.1\ta.example.com\nDelta\t10.0.0.4\td.example.com'

# Reload from beside the program, move the last entry up and save again.
page_click 50 105 76 10                  # 加载本目录下ini
list_line 2
page_click 272 27 35 14                  # 上移
page_click 75 148 60 17
expect_file $'Beta\t10.0.0.2\tbeta.example.com\nDelta\t10.0.0.4\td.example.com\nAlpha\t10.0.0.1\ta.example.com'

page_click 160 148 60 17                 # 取消 ends the program
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || exit 0; sleep 0.1; done
echo "the program did not end on 取消"
exit 1
