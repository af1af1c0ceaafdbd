#!/usr/bin/env bash
# The .deb that `make package` built: its control data, every piece in its listing, and, unpacked into a
# folder, the validators content and the programs answering through their links in usr/bin.
# $1 the .deb, $2 the project's version.
set -uo pipefail
deb=$1 version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = korvane ] || fail "package name '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "version '$(field Version)', not $version"
# dpkg-shlibdeps found the libraries; the font and the translations are read at run time.
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-wqy-microhei qt6-translations-l10n; do
    grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

listing=$(dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
id=org.korvane.Korvane
for piece in \
    "./usr/bin/Korvane -> ../lib/korvane/Korvane" \
    "./usr/bin/korvane-cli -> ../lib/korvane/korvane-cli" \
    ./usr/lib/korvane/Korvane ./usr/lib/korvane/korvane-cli \
    ./usr/lib/korvane/脚本代码/数据脚本/游戏列表.sql ./usr/lib/korvane/脚本代码/一键安装.bat \
    ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/man/man1/korvane-cli.1 ./usr/share/bash-completion/completions/korvane-cli \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$id.png; do
    grep -qxF -- "$piece" <<<"$listing" || fail "the package lacks $piece"
done
# Only what the installation is: no build tree, no tests.
unexpected=$(grep -vE '^\./usr/(bin|lib/korvane|share/(applications|metainfo|man|bash-completion|icons))(/|$)|^\./$|^\./usr/$|^\./usr/(lib|share)/$' <<<"$listing")
[ -z "$unexpected" ] || fail "unexpected files: $unexpected"

dpkg-deb -x "$deb" "$work/root"
for program in Korvane korvane-cli; do
    got=$(env -u DISPLAY "$work/root/usr/bin/$program" --version)
    [ "$got" = "$program $version" ] || fail "usr/bin/$program --version printed '$got'"
done
for program in Korvane korvane-cli; do
    file "$work/root/usr/lib/korvane/$program" | grep -q ", stripped$" || fail "$program keeps its symbols"
done
appstreamcli validate-tree --no-net "$work/root/usr" >"$work/validate" 2>&1 || fail "validate-tree: $(cat "$work/validate")"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"

[ $failures -eq 0 ] || exit 1
echo "package: $(basename "$deb") holds every piece"
