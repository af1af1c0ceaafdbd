#!/usr/bin/env bash
# The build's copy of the sample deployment folder: made when there is none, never over the operator's.
# $1 cmake, $2 packaging/CopyIfMissing.cmake, $3 the sample folder "脚本代码".
set -euo pipefail
cmake=$1 script=$2 sample=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
copy() { "$cmake" -DSOURCE="$sample" -DDESTINATION="$work/脚本代码" -P "$script"; }

# None there: the whole sample arrives, and no partial copy is left.
copy
diff -r "$sample" "$work/脚本代码" || fail "the first copy differs from the sample"
[ ! -e "$work/脚本代码.partial" ] || fail "a partial copy was left"

# The operator's game list and a file of his own survive the next build; a removed file stays removed.
list="$work/脚本代码/数据脚本/游戏列表.sql"
printf 'INSERT [GameGameItem] VALUES ( 1, N'"'"'x'"'"', N'"'"'x'"'"', N'"'"'xDB'"'"', N'"'"'x.dll'"'"')\r\n' > "$list"
echo mine > "$work/脚本代码/notes.txt"
rm "$work/脚本代码/一键安装.bat"
before=$(cd "$work" && find 脚本代码 -type f -exec md5sum {} + | sort)
copy
after=$(cd "$work" && find 脚本代码 -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || fail "the copy changed the operator's folder"

# An empty folder or a link (even a broken one) is the operator's choice too.
rm -rf "$work/脚本代码" && mkdir "$work/脚本代码"
copy
[ -z "$(ls -A "$work/脚本代码")" ] || fail "the copy filled the operator's empty folder"
rmdir "$work/脚本代码" && ln -s "$work/elsewhere" "$work/脚本代码"
copy
[ -L "$work/脚本代码" ] && [ ! -e "$work/elsewhere" ] || fail "the copy replaced or followed a link"

# What an interrupted copy left is thrown away and the copy made afresh.
rm "$work/脚本代码" && mkdir -p "$work/脚本代码.partial/half"
copy
diff -r "$sample" "$work/脚本代码" || fail "the copy after an interrupted one differs from the sample"
[ ! -e "$work/脚本代码.partial" ] || fail "the interrupted copy was left"
echo "copy_if_missing: all cases passed"
