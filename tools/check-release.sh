#!/usr/bin/env bash
# Checks the release archive of the committed HEAD:
#  1. builds it twice, from two clones in folders of different names and
#     depths (only the DLLs, plughost and the package; no tests), and compares
#     the two archives and the DLLs byte for byte;
#  2. lists it and prints its SHA-256;
#  3. unpacks it into a new folder, checks that everything is in one folder
#     named like the archive, SHA256SUMS, that the DLLs carry no debug
#     sections and that readme.txt is code page 932 with CR LF line ends;
#  4. loads both DLLs from that folder with plughost under Wine: the copy
#     command copies an example shortcut, the settings dialog opens and is
#     closed with Escape.
# It stops the Xvfb, wineserver and plughost it started, and nothing else.
#
#   bash tools/check-release.sh [ARCHIVE.zip]
#
# With ARCHIVE.zip (for example a downloaded release), that archive must also
# be byte-identical to the two builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-session.sh"

given=${1:+$(realpath "$1")}
commit=$(git -C "$root" rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/pellmark-release.XXXXXX")
prefix="$work/wineprefix"
host_pid=""
started_prefix=""
cleanup() {
    if [ -n "$host_pid" ]; then
        kill "$host_pid" 2>/dev/null || true
        wait "$host_pid" 2>/dev/null || true
    fi
    [ -n "$started_prefix" ] && pell_wine_prefix_stop "$started_prefix"
    pell_stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

echo "== building the archive of $commit twice"
sources=("$work/a/src" "$work/second-build/of/pellmark")
for src in "${sources[@]}"; do
    git clone -q --no-checkout "$root" "$src"
    git -C "$src" checkout -q "$commit"
    cmake -S "$src" -B "$src/build" -G Ninja --toolchain "$src/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DPELL_TESTS=OFF >/dev/null
    cmake --build "$src/build" -j"$(nproc)" --target package >/dev/null
done
first="${sources[0]}/build"
second="${sources[1]}/build"
archive=$(cd "$first" && ls Pellmark-*-win32.zip)
for f in "$archive" release/Pellmark.dll release/PellmarkSetting.dll; do
    cmp "$first/$f" "$second/$f"
done
if [ -n "$given" ]; then
    cmp "$given" "$first/$archive"
    echo "$given is identical to the build"
fi
echo "the two builds are byte-identical"

echo "== $archive"
unzip -l "$first/$archive"
(cd "$first" && sha256sum "$archive")

echo "== unpacking into a new folder"
folder=${archive%.zip}
if unzip -Z1 "$first/$archive" | grep -v "^$folder/"; then
    echo "the entries above are not in the folder $folder/" >&2
    exit 1
fi
mkdir "$work/unpacked"
(cd "$work/unpacked" && unzip -q "$first/$archive")
unpacked="$work/unpacked/$folder"
(cd "$unpacked" && sha256sum -c SHA256SUMS)
for dll in Pellmark.dll PellmarkSetting.dll; do
    if i686-w64-mingw32-objdump -h "$unpacked/$dll" | grep '\.debug_' >/dev/null; then
        echo "$dll has debug sections: the release DLLs are shipped stripped" >&2
        exit 1
    fi
done
ls -l "$unpacked"/*.dll
iconv -f CP932 -t UTF-8 "$unpacked/readme.txt" >/dev/null
if grep -q $'[^\r]$' "$unpacked/readme.txt" "$unpacked/readme-en.txt"; then
    echo "a guide has a line without CR LF" >&2
    exit 1
fi

echo "== loading both DLLs from $unpacked under Wine"
pell_start_xvfb
started_prefix="$prefix"
pell_wine_prefix_init "$prefix"
plughost="$first/bin/plughost.exe"
out=$(wine "$plughost" "Z:$unpacked/Pellmark.dll" "$root/examples/京都の宿.url")
echo "$out"
grep -qx '京都の宿 : https://www.example.jp/tabi/kyoto/' <<<"$out"

wine "$plughost" "Z:$unpacked/PellmarkSetting.dll" >"$work/setting.log" 2>&1 &
host_pid=$!
window=$(timeout 60 xdotool search --sync --name '^SetFormatForm$' | head -n1)
xdotool windowfocus --sync "$window"
xdotool key Escape
for _ in $(seq 1 100); do
    kill -0 "$host_pid" 2>/dev/null || break
    sleep 0.2
done
status=0
if kill -0 "$host_pid" 2>/dev/null; then
    echo "the settings dialog did not close on Escape" >&2
    status=1
else
    wait "$host_pid" || status=$?
    host_pid=""
fi
cat "$work/setting.log"
if [ $status -ne 0 ] || ! grep -q '^ExecutePlugin returned 0' "$work/setting.log"; then
    echo "the settings dialog did not open and close as expected" >&2
    exit 1
fi
echo "== release check passed"
