#!/usr/bin/env bash
# Times the copy command through Pellmark.dll under Wine on 1,000 and 10,000
# generated shortcut files, each against the floor of reading the same files
# in the same Wine process. Starts a private Xvfb and a throw-away Wine prefix
# and stops exactly those.
#
#   bash tools/bench-wine.sh [REPEATS]
#
# PELL_BUILD_ROOT chooses the build folder (default: build/ in the clone).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. "$root/tools/wine-session.sh"

repeats=${1:-3}
build_root=${PELL_BUILD_ROOT:-$root/build}
dir="$build_root/win32"
prefix="$build_root/bench-wineprefix"
data=$(mktemp -d "${TMPDIR:-/tmp}/pellbench.XXXXXX")

started_prefix=""
cleanup() {
    [ -n "$started_prefix" ] && pell_wine_prefix_stop "$started_prefix"
    pell_stop_xvfb
    rm -rf "$data"
}
trap cleanup EXIT

cmake --preset win32 -B "$dir" >/dev/null
cmake --build "$dir" --target Pellmark plugbench -j"$(nproc)" >/dev/null

make_shortcuts() {
    local count=$1 out="$data/$1" i
    mkdir -p "$out"
    for ((i = 0; i < count; i++)); do
        printf '[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,11\r\n[InternetShortcut]\r\nIDList=\r\nURL=https://www.example.com/articles/%d/index.html?ref=bench&page=%d\r\nHotKey=0\r\nIconIndex=0\r\nIconFile=\r\n[Log]\r\nUserComment=Saved while reading about topic %d\r\nLastVisit=24/%02d/%02d %02d:%02d\r\n' \
            "$i" $((i % 7)) $((i % 13)) $((i % 12 + 1)) $((i % 28 + 1)) $((i % 24)) $((i % 60)) \
            >"$out/Favorite page number $i.url"
    done
}

pell_start_xvfb
started_prefix="$prefix"
pell_wine_prefix_init "$prefix"
for count in 1000 10000; do
    make_shortcuts "$count"
    # A first pass warms the file cache for both sides alike.
    wine "$dir/bin/plugbench.exe" "Z:$dir/bin/Pellmark.dll" "Z:${data//\//\\}\\$count" 1 >/dev/null
    wine "$dir/bin/plugbench.exe" "Z:$dir/bin/Pellmark.dll" "Z:${data//\//\\}\\$count" "$repeats"
done
