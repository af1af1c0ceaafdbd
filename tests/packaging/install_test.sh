#!/usr/bin/env bash
# cmake --install into a fresh prefix: every piece in its place, the validators content, and the
# installed programs, started through bin/, find the sample deployment folder beside their real file.
# $1 the build folder, $2 the project's version, $3 the sample folder "脚本代码".
set -uo pipefail
build=$1 version=$2 sample=$3

prefix=$(realpath "$(mktemp -d)") work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
id=org.korvane.Korvane
program_dir=$prefix/lib/korvane

for program in Korvane korvane-cli; do
    [ -x "$program_dir/$program" ] || fail "no $program in lib/korvane"
    [ "$(readlink "$prefix/bin/$program")" = "../lib/korvane/$program" ] || fail "bin/$program is no link to it"
    got=$(env -u DISPLAY "$prefix/bin/$program" --version)
    [ "$got" = "$program $version" ] || fail "bin/$program --version printed '$got'"
done
diff -r "$sample" "$program_dir/脚本代码" >/dev/null || fail "the installed 脚本代码 is not the sample"

# Started through the link, korvane-cli takes the folder beside its real file as the deployment folder.
listing=$(cd "$work" && "$prefix/bin/korvane-cli" create --database --dry-run)
grep -qx "changed	[0-9]*	$program_dir/脚本代码/数据库脚本/数据库删除.sql" <<<"$listing" ||
    fail "the dry run through bin/ did not read lib/korvane/脚本代码: $(head -c 300 <<<"$listing")"

desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
grep -qx "Icon=$id" "$desktop" && grep -qx "Exec=Korvane" "$desktop" || fail "the desktop entry's Exec or Icon"
metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$work/validate" 2>&1 || fail "appstreamcli validate: $(cat "$work/validate")"
appstreamcli validate-tree --no-net "$prefix" >"$work/validate" 2>&1 || fail "appstreamcli validate-tree: $(cat "$work/validate")"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" || fail "the metainfo's release is not $version"

# The icon at every size, drawn as the window's: transparent corner, teal sheet, amber padlock.
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${size}x${size}" ] || fail "no ${size}x${size} PNG icon"
    # Points of the 64-unit design: (1,1) outside the sheet, (8,50) on the sheet, (50,55) on the padlock.
    at() { echo "p{$(($1 * size / 64)),$(($2 * size / 64))}"; }
    colours=$(convert "$icon" -format "%[hex:$(at 1 1)] %[hex:$(at 8 50)] %[hex:$(at 50 55)]" info: 2>/dev/null)
    [ "$colours" = "00000000 1F7A8CFF F2B134FF" ] || fail "the ${size}x${size} icon's colours are $colours"
done

man_page=$prefix/share/man/man1/korvane-cli.1
head -1 "$man_page" | grep -qF "\"Korvane $version\"" || fail "the manual page is not of version $version"
warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 -Tutf8 "$man_page" 2>&1)
[ -z "$warnings" ] || fail "groff warns about the manual page: $warnings"

completion=$prefix/share/bash-completion/completions/korvane-cli
got=$(bash -c 'source "$1"; COMP_WORDS=(korvane-cli serverlist m); COMP_CWORD=2; _korvane_cli; echo "${COMPREPLY[*]}"' _ "$completion")
[ "$got" = "move" ] || fail "the installed completion offers '$got'"

[ $failures -eq 0 ] || exit 1
echo "install: every piece in place"
