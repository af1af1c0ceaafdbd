#!/usr/bin/env bash
# What bash offers for korvane-cli at each place of a command line. $1 the completion script.
set -uo pipefail
script=$(realpath "$1")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/部署" "$work/sub"
touch "$work/ServerInfo.ini" "$work/servers.tsv"
cd "$work" || exit 1
# shellcheck source=/dev/null
source "$script"

failures=0
# offers WANTED WORD...: the words of the line, the last one being completed.
offers() {
    local wanted=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _korvane_cli 2>/dev/null
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ' ')
    [ "$got" = "$wanted" ] || { echo "FAIL: [$*] offers '$got', not '$wanted'"; failures=$((failures + 1)); }
}

offers "--help --version create decode encode serverlist" korvane-cli ""
offers "serverlist" korvane-cli se
offers "ip md5 version xor" korvane-cli encode ""
offers "ip version xor" korvane-cli decode ""
offers "" korvane-cli encode md5 ""
offers "--help" korvane-cli encode --
offers "--help add check edit export import move remove show" korvane-cli serverlist ""
# The file comes first, then the index; only move takes a direction after them.
offers "ServerInfo.ini" korvane-cli serverlist show Ser
offers "ServerInfo.ini" korvane-cli serverlist edit --name x Se
offers "" korvane-cli serverlist remove ServerInfo.ini ""
offers "down up" korvane-cli serverlist move ServerInfo.ini 2 ""
offers "" korvane-cli serverlist move ServerInfo.ini 2 up ""
offers "--addr --domain --help --name" korvane-cli serverlist add ServerInfo.ini --
offers "--help --json" korvane-cli serverlist check ServerInfo.ini --
offers "" korvane-cli serverlist add ServerInfo.ini --name ""
# create: folders after --deploy-dir, files after --profile, nothing after an input's option.
offers "sub 部署" korvane-cli create --deploy-dir ""
offers "servers.tsv" korvane-cli create --profile serv
offers "" korvane-cli create --company ""
offers "--dry-run" korvane-cli create --platform P --dr
offers "--database --deploy-dir --diff --domain --dry-run" korvane-cli create --d

[ $failures -eq 0 ] || exit 1
echo "completion: all cases passed"
