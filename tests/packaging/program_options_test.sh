#!/usr/bin/env bash
# The options both programs answer before any window system starts: with no display at all, and with Qt
# told to use X, Korvane would abort if it started Qt.
# $1 Korvane, $2 korvane-cli, $3 the project's version.
set -uo pipefail
korvane=$1 cli=$2 version=$3

out=$(mktemp) err=$(mktemp) existing=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$existing"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@" >"$out" 2>"$err"; }
expect() { # status, what stdout must be (exactly), what stderr must hold (part; "" for nothing), the command
    local status=$1 stdout=$2 stderr=$3
    shift 3
    run "$@"
    local got=$?
    [ "$got" -eq "$status" ] || fail "$*: status $got, not $status ($(head -c 300 "$err"))"
    [ "$(cat "$out")" = "$stdout" ] || fail "$*: printed '$(head -c 300 "$out")'"
    if [ -z "$stderr" ]; then
        [ ! -s "$err" ] || fail "$*: wrote '$(head -c 300 "$err")' to standard error"
    else
        grep -qF -- "$stderr" "$err" || fail "$*: no '$stderr' in '$(head -c 300 "$err")'"
    fi
}

expect 0 "Korvane $version" "" "$korvane" --version
expect 0 "korvane-cli $version" "" "$cli" --version

for help in --help -h; do
    run "$korvane" $help
    [ $? -eq 0 ] && grep -q -- "--deploy-dir DIR" "$out" && grep -q KORVANE_DEPLOY_DIR "$out" ||
        fail "Korvane $help: no usage"
done

expect 2 "" "Korvane: unknown argument: --bogus" "$korvane" --bogus
expect 2 "" "Korvane: --deploy-dir needs a folder" "$korvane" --deploy-dir
expect 2 "" "Korvane: --deploy-dir: no such folder: $existing/none" "$korvane" --deploy-dir "$existing/none"
touch "$existing/file"
expect 2 "" "Korvane: --deploy-dir: no such folder: $existing/file" "$korvane" --deploy-dir="$existing/file"
expect 2 "" "Korvane: KORVANE_DEPLOY_DIR: no such folder: $existing/none" \
    env KORVANE_DEPLOY_DIR="$existing/none" "$korvane"
# The argument wins over the environment: a good folder in the environment does not hide a bad argument.
expect 2 "" "Korvane: --deploy-dir: no such folder: $existing/none" \
    env KORVANE_DEPLOY_DIR="$existing" "$korvane" --deploy-dir "$existing/none"

[ $failures -eq 0 ] || exit 1
echo "program_options: all cases passed"
