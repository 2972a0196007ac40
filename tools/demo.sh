#!/usr/bin/env bash
# The demo, from a fresh clone: installs what is missing, builds the Win32
# plug-in and plughost, then copies the example shortcuts through
# Pellmark.dll under Wine, first with the default format and then with a
# richer one, and shows what the clipboard holds each time. It stops the
# Xvfb display and the wineserver it started, and nothing else.
#
#   bash tools/demo.sh
#
# PELL_BUILD_ROOT chooses the build folder (default: build/ in the clone).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. "$root/tools/wine-session.sh"

build_root=${PELL_BUILD_ROOT:-$root/build}
dir="$build_root/win32"
prefix="$build_root/demo-wineprefix"
rich_format='%p%z  %u%z  %c (%1v %1a)%z'
examples=("京都の宿.url" "Example Domain.url" "ニュース一覧表.url" "Search Results.url")

missing() {
    local tool
    for tool in cmake ninja i686-w64-mingw32-g++-win32 wine Xvfb; do
        command -v "$tool" >/dev/null || return 0
    done
    ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'
}
if missing; then
    echo "== installing what is missing (tools/setup.sh)"
    if [ "$(id -u)" = 0 ]; then
        bash "$root/tools/setup.sh"
    elif command -v sudo >/dev/null; then
        sudo bash "$root/tools/setup.sh"
    else
        echo "tools/setup.sh must run as root to install the packages" >&2
        exit 1
    fi
fi

echo "== building Pellmark.dll and plughost.exe (preset win32, in $dir)"
cmake --preset win32 -B "$dir" >/dev/null
cmake --build "$dir" --target Pellmark plughost -j"$(nproc)" >/dev/null

started_prefix=""
cleanup() {
    [ -n "$started_prefix" ] && pell_wine_prefix_stop "$started_prefix"
    pell_stop_xvfb
}
trap cleanup EXIT

# Message boxes need a display even when nothing goes wrong is expected.
pell_start_xvfb
echo "== Wine prefix $prefix (LANG=ja_JP.UTF-8, code page 932)"
started_prefix="$prefix"
pell_wine_prefix_init "$prefix"

files=()
for f in "${examples[@]}"; do files+=("examples/$f"); done

echo
# The first run shows the default format, whatever an earlier demo stored.
echo "== plughost --reset-format Pellmark.dll ${files[*]}"
wine "$dir/bin/plughost.exe" --reset-format "$dir/bin/Pellmark.dll" "${files[@]}"
echo
echo "== plughost --format '$rich_format' Pellmark.dll (same files)"
wine "$dir/bin/plughost.exe" --format "$rich_format" "$dir/bin/Pellmark.dll" "${files[@]}"
