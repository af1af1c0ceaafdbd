#!/bin/sh
# The virtual X server that Wine shows the tests' windows on, one for the whole test run.
#   display.sh start FILE             starts Xvfb on a free display and writes ":N" into FILE
#   display.sh run FILE PROGRAM ...   runs the program with DISPLAY from FILE
#   display.sh stop FILE              ends the server that start began
set -eu
command=$1
file=$2
shift 2
case $command in
start)
    rm -f "$file" "$file.pid"
    # Its output away from CTest's pipe, which would otherwise stay open as long as the server runs.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$file.number" </dev/null >/dev/null 2>&1 &
    echo $! >"$file.pid"
    tries=0
    while [ ! -s "$file.number" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$(cat "$file.pid")" 2>/dev/null; then
            echo "Xvfb did not start" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo ":$(tr -d '\n' <"$file.number")" >"$file"
    ;;
run)
    DISPLAY=$(cat "$file")
    export DISPLAY
    exec "$@"
    ;;
stop)
    if [ -s "$file.pid" ]; then
        kill "$(cat "$file.pid")" 2>/dev/null || true
    fi
    rm -f "$file" "$file.pid" "$file.number"
    ;;
*)
    echo "usage: $0 start|run|stop FILE [PROGRAM ...]" >&2
    exit 2
    ;;
esac
