#!/usr/bin/env bash
# Soak run: the picker on a private Xvfb with the eyedropper on for SOAK_MINUTES
# (10 by default) while the pointer keeps moving over a changing root. Once a minute
# it prints the picker's resident memory, its open descriptors and the X resources its
# client holds (xrestop). Nothing may grow after the first minute: memory by at most
# RSS_SLACK_KIB (256 by default, the allocator's page-level jitter), descriptors and X
# resources not at all; otherwise the run fails. At the end a key must still capture
# the colour under the pointer.
#   bench/soak.sh               uses build/app/tpicker (BUILD_DIR=... for another build)
# Needs xvfb, xdotool, xclip, x11-xserver-utils and xrestop (./build.sh test installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
MINUTES=${SOAK_MINUTES:-10}
SLACK=${RSS_SLACK_KIB:-256}
PICKER=$(realpath -m "${BUILD_DIR:-build}/app/tpicker")

if [ "${1:-}" != --on-display ]; then
    for tool in Xvfb xdotool xclip xsetroot xrestop; do
        command -v "$tool" >/dev/null || { echo "soak: $tool is missing" >&2; exit 2; }
    done
    [ -x "$PICKER" ] || { echo "soak: no $PICKER; build it first (./build.sh test)" >&2; exit 2; }
    exec tests/support/run-on-xvfb.sh 1024x768x24 "$0" --on-display
fi

"$PICKER" 2>/dev/null &
pid=$!
mover=
trap 'kill $mover 2>/dev/null || true; kill $pid 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name '^Tavrin Picker$' | head -1)
[ -n "$window" ] || { echo "soak: the picker's window did not appear" >&2; exit 1; }
# The eyedropper button lies at (232, 13) of the client area, 81 x 73, below the menu
# bar; without a window manager the window is at (211, 184).
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$((HEIGHT - 298))
xdotool mousemove $((X + 232 + 40)) $((Y + menu + 13 + 36)) click 1

# The pointer sweeps the right part of the screen, away from the window, and the root
# changes colour every few seconds, so the button shows new readings all the time.
(
    colours=('#336699' '#C8641E' '#2E8B57' '#FFFFFF' '#000000' '#808080')
    i=0
    while :; do
        xsetroot -solid "${colours[i % ${#colours[@]}]}"
        for step in $(seq 0 39); do
            xdotool mousemove $((600 + step * 10)) $((50 + (step * 37) % 650))
            sleep 0.1
        done
        i=$((i + 1))
    done
) &
mover=$!

base=$((window & ~0x1fffff))
xres() { # the X resources of the picker's client: windows pixmaps GCs pictures other bytes
    xrestop -b -m 1 | awk -v base="$(printf '0x%x' "$base")" '
        /^[0-9]+ - / { mine = 0 }
        $1 == "res_base" && $3 == base { mine = 1 }
        mine && $1 == "windows" { w = $3 } mine && $1 == "pixmaps" { p = $3 }
        mine && $1 == "GCs" { g = $3 } mine && $1 == "pictures" { pi = $3 }
        mine && $1 == "unknowns" { u = $3 } mine && $1 == "total" { b = $4; sub(/~/, "", b) }
        END { print w + 0, p + 0, g + 0, pi + 0, u + 0, b + 0 }'
}
sample() {
    local rss fds
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
    fds=$(ls "/proc/$pid/fd" | wc -l)
    echo "$1 $rss $fds $(xres)"
}

printf '%-7s %9s %4s %8s %8s %4s %8s %6s %10s\n' minute rss_kib fds windows pixmaps GCs pictures other x_bytes
failed=0
first=
for minute in $(seq 1 "$MINUTES"); do
    sleep 60
    kill -0 "$pid" 2>/dev/null || { echo "soak: the picker ended during minute $minute" >&2; exit 1; }
    read -r m rss fds w p g pi u b <<<"$(sample "$minute")"
    printf '%-7s %9s %4s %8s %8s %4s %8s %6s %10s\n' "$m" "$rss" "$fds" "$w" "$p" "$g" "$pi" "$u" "$b"
    if [ -z "$first" ]; then
        first="$rss $fds $w $p $g $pi $u $b"
        continue
    fi
    read -r rss1 fds1 w1 p1 g1 pi1 u1 b1 <<<"$first"
    [ "$rss" -le $((rss1 + SLACK)) ] || { echo "  resident memory grew by $((rss - rss1)) KiB" >&2; failed=1; }
    for pair in "descriptors $fds $fds1" "windows $w $w1" "pixmaps $p $p1" "GCs $g $g1" \
                "pictures $pi $pi1" "other $u $u1" "x_bytes $b $b1"; do
        read -r what now then <<<"$pair"
        [ "$now" -le "$then" ] || { echo "  $what grew from $then to $now" >&2; failed=1; }
    done
done

# Still working: over a known colour, a key captures it and Ctrl+W copies its code.
kill "$mover"; wait "$mover" 2>/dev/null || true
xsetroot -solid '#2E8B57'
xdotool mousemove 900 700
sleep 0.5
xdotool windowfocus --sync "$window" key a ctrl+w
sleep 0.5
code=$(xclip -selection clipboard -o 2>/dev/null || true)
if [ "$code" != "#2E8B57" ]; then
    echo "soak: after the run a key captured \"$code\", not #2E8B57" >&2
    failed=1
fi
[ "$failed" -eq 0 ] && echo "soak: nothing grew after the first minute; the eyedropper still captures"
exit "$failed"
