#!/usr/bin/env bash
# Remakes docs/setting-dialog.png and docs/setting-dialog-error.png: opens
# the settings dialog through plughost under Wine on a private Xvfb display,
# in a throw-away Wine prefix where the dialog's font "ＭＳ Ｐゴシック" is
# replaced by IPA P Gothic (fonts-ipafont-gothic) and the title bar's buttons
# are drawn with Wine's Marlett (fonts-wine), grabs the screen and crops it
# to the dialog; then types an invalid format (xdotool) and grabs the dialog
# with the error box over it. It stops the plughost, the wineserver and the
# Xvfb it started, and nothing else.
#
#   bash tools/screenshot.sh [output.png [error-output.png]]
#
# PELL_BUILD_ROOT chooses the build folder (default: build/); the win32
# preset is configured and built there first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-session.sh"

build_root=${PELL_BUILD_ROOT:-$root/build}
dir="$build_root/win32"
out=${1:-$root/docs/setting-dialog.png}
error_out=${2:-$root/docs/setting-dialog-error.png}
for tool in Xvfb wine import convert xwininfo xdotool; do
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

marlett=/usr/share/wine/fonts/marlett.ttf
[ -f "$marlett" ] || { echo "$marlett is missing (run tools/setup.sh: fonts-wine)" >&2; exit 1; }

pell_start_xvfb
pell_wine_prefix_init "$prefix"
# The title bar's buttons are glyphs of the Marlett font. This Wine does not
# load the fonts of its data folder, so the prefix gets its own copy.
cp "$marlett" "$prefix/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
# No window manager runs on the display: Wine draws the title bar and frame.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wineserver -w

(cd "$dir/bin" && exec wine plughost.exe PellmarkSetting.dll) >"$work/plughost.log" 2>&1 &
host_pid=$!

# window_box NAME: "X Y W H" of the first viewable window of that name, or
# nothing once 30 seconds have passed.
window_box() {
    local info
    for _ in $(seq 1 300); do
        if info=$(xwininfo -name "$1" 2>/dev/null) && grep -q 'Map State: IsViewable' <<<"$info"; then
            sed -n -e 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p' \
                -e 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p' \
                -e 's/.*Width: *\([0-9]*\).*/\1/p' -e 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info" |
                tr '\n' ' '
            return
        fi
        sleep 0.1
    done
}

read -r x y w h <<<"$(window_box SetFormatForm)"
if [ -z "${h:-}" ]; then
    echo "the dialog did not appear" >&2
    cat "$work/plughost.log" >&2
    exit 1
fi
# Let the first paint finish before the grab.
sleep 1
mkdir -p "$(dirname "$out")" "$(dirname "$error_out")"
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$out"
echo "wrote $out (${w}x${h}+${x}+${y})"

# An invalid format: the date directive with selector 2, typed at the end of
# the format box (which has the focus), brings up the format error.
xdotool windowfocus --sync "$(xdotool search --name '^SetFormatForm$' | head -n1)"
xdotool key End
xdotool type --delay 150 '%2d'
read -r bx by bw bh <<<"$(window_box PellmarkSetting)"
if [ -z "${bh:-}" ]; then
    echo "the error box did not appear" >&2
    exit 1
fi
sleep 1
# The dialog and the box, each cut from the screen, on a white canvas just
# large enough for both (with a margin), so no bare root window shows.
left=$((x < bx ? x : bx)) top=$((y < by ? y : by))
right=$((x + w > bx + bw ? x + w : bx + bw)) bottom=$((y + h > by + bh ? y + h : by + bh))
margin=8
import -window root "$work/screen.png"
convert -size "$((right - left + 2 * margin))x$((bottom - top + 2 * margin))" xc:white \
    \( "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage \) \
    -geometry "+$((x - left + margin))+$((y - top + margin))" -composite \
    \( "$work/screen.png" -crop "${bw}x${bh}+${bx}+${by}" +repage \) \
    -geometry "+$((bx - left + margin))+$((by - top + margin))" -composite "$error_out"
echo "wrote $error_out"
