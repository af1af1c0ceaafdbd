#!/bin/sh
# Starts the Wine session of the test run in $WINEPREFIX and imports the prefix's settings.
#   start.sh WINESERVER WINE SETTINGS_REG
# Everything runs with its output on /dev/null: a Wine background program started by a test would keep
# CTest's output pipe open. A server already running (exit status 2) serves as well.
set -u
wineserver=$1
wine=$2
settings=$3
"$wineserver" -p30 </dev/null >/dev/null 2>&1
"$wine" wineboot --init </dev/null >/dev/null 2>&1
# regedit reads UTF-16 with a byte order mark and CR LF line ends.
unicode="$WINEPREFIX/korvane-settings.reg"
{ printf '\377\376'; sed 's/$/\r/' "$settings" | iconv -f UTF-8 -t UTF-16LE; } >"$unicode" || exit 1
"$wine" regedit /S "$unicode" </dev/null >/dev/null 2>&1
