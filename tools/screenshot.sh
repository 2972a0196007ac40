#!/usr/bin/env bash
# Remakes docs/setting-dialog.png: opens the settings dialog through
# plughost under Wine on a private Xvfb display, in a throw-away Wine prefix
# where the dialog's font "ＭＳ Ｐゴシック" is replaced by IPA P Gothic
# (fonts-ipafont-gothic), grabs the screen and crops it to the dialog. It
# stops the plughost, the wineserver and the Xvfb it started, and nothing
# else.
#
#   bash tools/screenshot.sh [output.png]
#
# PELL_BUILD_ROOT chooses the build folder (default: build/); the win32
# preset is configured and built there first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-session.sh"

build_root=${PELL_BUILD_ROOT:-$root/build}
dir="$build_root/win32"
out=${1:-$root/docs/setting-dialog.png}
for tool in Xvfb wine import convert xwininfo; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (run tools/setup.sh)" >&2; exit 1; }
done

cmake --preset win32 -B "$dir" >/dev/null
cmake --build "$dir" -j2 --target PellmarkSetting plughost >/dev/null

work=$(mktemp -d)
prefix="$work/wineprefix"
host_pid=""
cleanup() {
    if [ -n "$host_pid" ]; then
        kill "$host_pid" 2>/dev/null || true
        wait "$host_pid" 2>/dev/null || true
    fi
    pell_wine_prefix_stop "$prefix"
    pell_stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

pell_start_xvfb
pell_wine_prefix_init "$prefix"
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
# No window manager runs on the display: Wine draws the title bar and frame.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wineserver -w

(cd "$dir/bin" && exec wine plughost.exe PellmarkSetting.dll) >"$work/plughost.log" 2>&1 &
host_pid=$!

geometry=""
for _ in $(seq 1 300); do
    if info=$(xwininfo -name SetFormatForm 2>/dev/null); then
        x=$(sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
        y=$(sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
        w=$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")
        h=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")
        if grep -q 'Map State: IsViewable' <<<"$info"; then
            geometry="${w}x${h}+${x}+${y}"
            break
        fi
    fi
    sleep 0.1
done
if [ -z "$geometry" ]; then
    echo "the dialog did not appear" >&2
    cat "$work/plughost.log" >&2
    exit 1
fi
# Let the first paint finish before the grab.
sleep 1
mkdir -p "$(dirname "$out")"
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "$geometry" +repage "$out"
echo "wrote $out ($geometry)"
