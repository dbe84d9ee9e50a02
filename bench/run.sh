#!/usr/bin/env bash
# Benchmarks of Tavrin Picker against the colour pickers people use (gpick, gcolor3)
# and a bare X client, all on one private Xvfb. Prints one table: each measure's
# median, min and max over RUNS runs (5 unless told, never fewer), the peers' same
# measure taken in the same runs, the ratio, and the target.
#   bench/run.sh          install what is missing, build Release in build-bench/, measure
#   RUNS=9 bench/run.sh   more runs per measure
#   bench/run.sh eyedropper reading   only some groups: start-up (with memory),
#                                     reading, eyedropper, chain
#   bench/run.sh profile  no table: perf and callgrind profiles of start-up and of
#                         the eyedropper, written to build-bench/profiles/
#   BENCH_BUILD_DIR=DIR bench/run.sh   build somewhere else than build-bench/
# Packages are installed with apt-get, through sudo when not run as root.
set -euo pipefail
SELF=$(realpath "$0")
cd "$(dirname "$SELF")/.."

PACKAGES=(cmake g++ make pkgconf qt6-base-dev fonts-ipafont-gothic
          libx11-dev libxcb1-dev libxcb-randr0-dev
          xvfb xauth xdotool x11-xserver-utils dbus-daemon
          gpick gcolor3 libbenchmark-dev linux-perf valgrind)
BUILD_DIR=${BENCH_BUILD_DIR:-build-bench}
RUNS=${RUNS:-5}
[ "$RUNS" -ge 5 ] || RUNS=5
TOOLS=(tpicker time_to_map bare_window bare_eyedropper rss_after cpu_of pixel_at moving_pattern
       spoit_reading editing_chain)

# shellcheck source=tools/install-missing.sh
source tools/install-missing.sh

# "median min max" of the numbers in a file, one a line.
stats() {
    [ -s "$1" ] || { echo "- - -"; return 0; }
    sort -g "$1" | awk '{ v[NR] = $1 }
        END { if (NR == 0) { print "- - -"; exit }
              m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              printf "%.4g %.4g %.4g\n", m, v[1], v[NR] }'
}
median() { stats "$1" | cut -d' ' -f1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 == 0) print "-"; else printf "%.2f\n", a / b }'; }
holds() { awk "BEGIN { exit !($1) }" 2>/dev/null && echo yes || echo NO; }

row() { # measure, unit, ours-file, peer name, peer-file, ratio, target, verdict
    local ours="" peer="-"
    [ -z "$3" ] || [ -f "$3" ] || return 0
    [ -z "$5" ] || [ -f "$5" ] || return 0
    if [ -n "$3" ]; then
        read -r om omin omax < <(stats "$3")
        ours="$om [$omin..$omax]"
    fi
    if [ -n "$5" ]; then
        read -r pm pmin pmax < <(stats "$5")
        peer="$4 $pm [$pmin..$pmax]"
    fi
    printf '%-26s %-7s %-24s %-34s %-6s %-24s %s\n' "$1" "$2" "$ours" "$peer" "$6" "$7" "$8"
}

# --- On the Xvfb -----------------------------------------------------------------

B=
D=

start_up_and_memory() {
    local programs=(tpicker gpick gcolor3 bare)
    declare -A cmd=([tpicker]="$B/app/tpicker" [gpick]=gpick [gcolor3]=gcolor3 [bare]="$B/bench/bare_window")
    # One start each, untimed, so every program meets warm file caches and its own
    # first-run set-up (configuration files) before it is timed.
    for p in "${programs[@]}"; do "$B/bench/time_to_map" ${cmd[$p]} >/dev/null 2>&1 || true; done
    for i in $(seq "$RUNS"); do
        for p in "${programs[@]}"; do
            # The window that stopped the clock must be the program's own main window.
            "$B/bench/time_to_map" -v ${cmd[$p]} >>"$D/map.$p" 2>"$D/map.err"
            grep '^mapped' "$D/map.err" >>"$D/mapped.$p" || { cat "$D/map.err" >&2; exit 1; }
            "$B/bench/rss_after" 2000 ${cmd[$p]} >>"$D/rss.$p" 2>"$D/rss.err" ||
                { cat "$D/rss.err" >&2; exit 1; }
        done
    done
}

screen_reading() {
    for i in $(seq "$RUNS"); do
        QT_QPA_PLATFORM=xcb "$B/bench/spoit_reading" 10000 2>/dev/null >"$D/read.once"
        cut -d' ' -f1 "$D/read.once" >>"$D/read.picker"
        cut -d' ' -f2 "$D/read.once" >>"$D/read.bare"
        cut -d' ' -f3 "$D/read.once" >>"$D/read.bare_on_qt"
    done
}

# Starts the picker and switches the eyedropper on with a click on its button.
start_eyedropper() {
    "$B/app/tpicker" >/dev/null 2>&1 &
    PICKER=$!
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$PICKER" | head -1)
    [ -n "$window" ] || { echo "the picker showed no window" >&2; exit 1; }
    eval "$(xdotool getwindowgeometry --shell "$window")" # X Y WIDTH HEIGHT
    local menu=$((HEIGHT - 298))
    # The eyedropper button lies at (232, 13), 81 x 73, in the client area below the menu.
    BUTTON_X=$((X + 232)) BUTTON_Y=$((Y + menu + 13))
    xsetroot -solid '#204060'
    xdotool mousemove $((BUTTON_X + 40)) $((BUTTON_Y + 36)) click 1
    xdotool mousemove 40 900
    sleep 0.5
    # In the mode the button's face shows the pixel under the pointer: the root.
    local face
    face=$("$B/bench/pixel_at" $((BUTTON_X + 4)) $((BUTTON_Y + 36)))
    if [ "$face" != "#204060" ]; then
        echo "the eyedropper did not come on (button face $face)" >&2
        kill "$PICKER"
        exit 1
    fi
}

# CPU of one running eyedropper, at rest and then moving, into cpu.rest.NAME and
# cpu.moving.NAME. The pointer rests on the root, well away from the windows.
eyedropper_cpu() { # pid name
    xdotool mousemove 40 900
    sleep 0.5
    "$B/bench/cpu_of" "$1" 10 >>"$D/cpu.rest.$2"
    # Stripes changing colour every 10 ms under a pointer moved every 10 ms.
    "$B/bench/moving_pattern" 0 0 200 150 10 &
    local pattern=$!
    sleep 0.3
    "$B/bench/cpu_of" "$1" 10 >>"$D/cpu.moving.$2"
    kill "$pattern"
    wait "$pattern" 2>/dev/null || true
}

eyedropper() {
    for i in $(seq "$RUNS"); do
        start_eyedropper
        eyedropper_cpu "$PICKER" tpicker
        kill "$PICKER"
        wait "$PICKER" 2>/dev/null || true
        "$B/bench/bare_eyedropper" &
        local bare=$!
        eyedropper_cpu "$bare" bare
        kill "$bare"
        wait "$bare" 2>/dev/null || true
    done
}

# Google Benchmark rows of one benchmark's repetitions, as real time in its unit.
chain_times() { awk -F, -v n="\"$1\"" '$1 == n { print $3 }' "$D/chain.csv"; }

editing_chain() {
    "$B/bench/editing_chain" --benchmark_repetitions="$RUNS" --benchmark_format=csv \
        >"$D/chain.csv" 2>"$D/chain.err"
    if grep -q ',true,' "$D/chain.csv"; then
        grep ',true,' "$D/chain.csv" >&2
        exit 1
    fi
    chain_times bar_change >"$D/chain.change"
    chain_times bar_change_repainted >"$D/chain.repainted"
    chain_times sweep_0_255 >"$D/chain.sweep"
}

# Where the time goes, for when a target is missed.
profile() {
    local out="$B/profiles"
    mkdir -p "$out"
    perf record -q -F 4000 --call-graph dwarf,32768 -o "$out/start-up.perf" -- \
        bash -c "for i in \$(seq 10); do '$B/bench/time_to_map' '$B/app/tpicker' >/dev/null; done" 2>/dev/null
    "$B/bench/time_to_map" valgrind -q --tool=callgrind \
        --callgrind-out-file="$out/start-up.callgrind" "$B/app/tpicker" >/dev/null || true
    start_eyedropper
    perf record -q -F 4000 --call-graph dwarf,16384 -o "$out/rest.perf" -p "$PICKER" -- sleep 5 2>/dev/null
    "$B/bench/moving_pattern" 0 0 200 150 10 &
    local pattern=$!
    sleep 0.3
    perf record -q -F 4000 --call-graph dwarf,16384 -o "$out/moving.perf" -p "$PICKER" -- sleep 5 2>/dev/null
    kill "$pattern" "$PICKER"
    wait "$pattern" "$PICKER" 2>/dev/null || true
    echo "Profiles in $out:"
    echo "  perf report -i $out/start-up.perf --comm tpicker --children"
    echo "  callgrind_annotate $out/start-up.callgrind | head -40"
    echo "  perf report -i $out/rest.perf --children    (and moving.perf)"
}

report() {
    local tp gp gc
    echo
    echo "Tavrin Picker benchmarks: median [min..max] over $RUNS runs, peers in the same runs"
    echo "(Xvfb 1280x1024x24, no window manager, one session bus for all)"
    echo
    printf '%-26s %-7s %-24s %-34s %-6s %-24s %s\n' measure unit "Tavrin Picker" "peer" ratio target met
    tp=$(median "$D/map.tpicker") gp=$(median "$D/map.gpick") gc=$(median "$D/map.gcolor3")
    row "start-up (to first map)" ms "$D/map.tpicker" gpick "$D/map.gpick" "$(ratio "$tp" "$gp")" \
        "<= 0.35 x gpick" "$(holds "$tp <= 0.35 * $gp")"
    row "" "" "" gcolor3 "$D/map.gcolor3" "$(ratio "$tp" "$gc")" "" ""
    row "" "" "" "bare xcb" "$D/map.bare" "$(ratio "$tp" "$(median "$D/map.bare")")" "(floor)" ""
    tp=$(median "$D/rss.tpicker") gp=$(median "$D/rss.gpick") gc=$(median "$D/rss.gcolor3")
    row "memory (VmRSS at 2 s)" MiB "$D/rss.tpicker" gpick "$D/rss.gpick" "$(ratio "$tp" "$gp")" \
        "<= 40, below both peers" "$(holds "$tp <= 40 && $tp < $gp && $tp < $gc")"
    row "" "" "" gcolor3 "$D/rss.gcolor3" "$(ratio "$tp" "$gc")" "" ""
    row "" "" "" "bare xcb" "$D/rss.bare" "$(ratio "$tp" "$(median "$D/rss.bare")")" "(floor)" ""
    tp=$(median "$D/read.picker") gp=$(median "$D/read.bare")
    row "one screen reading" us "$D/read.picker" "bare GetImage" "$D/read.bare" "$(ratio "$tp" "$gp")" \
        "<= 1.5 x bare GetImage" "$(holds "$tp <= 1.5 * $gp")"
    row "" "" "" "bare GetImage, Qt's conn." "$D/read.bare_on_qt" \
        "$(ratio "$tp" "$(median "$D/read.bare_on_qt")")" "(where the cost lies)" ""
    tp=$(median "$D/cpu.rest.tpicker")
    row "eyedropper at rest" "% core" "$D/cpu.rest.tpicker" "bare xcb" "$D/cpu.rest.bare" \
        "$(ratio "$tp" "$(median "$D/cpu.rest.bare")")" "< 1 %" "$(holds "$tp < 1")"
    tp=$(median "$D/cpu.moving.tpicker")
    row "eyedropper moving" "% core" "$D/cpu.moving.tpicker" "bare xcb" "$D/cpu.moving.bare" \
        "$(ratio "$tp" "$(median "$D/cpu.moving.bare")")" "< 3 %" "$(holds "$tp < 3")"
    row "bar change, chain" us "$D/chain.change" "" "" "" "(report)" ""
    tp=$(median "$D/chain.repainted")
    row "bar change + repaint" us "$D/chain.repainted" "" "" "" "< 10 ms a motion event" \
        "$(holds "$tp < 10000")"
    tp=$(median "$D/chain.sweep")
    row "drag sweep 0..255" ms "$D/chain.sweep" "" "" "" "< 10 ms a motion event" "$(holds "$tp < 10")"
    [ -f "$D/mapped.tpicker" ] || return 0
    echo
    echo "Windows timed:"
    for p in tpicker gpick gcolor3 bare; do
        printf '  %-8s %s\n' "$p" "$(sed 's/^mapped 0x[0-9a-f]* //' "$D/mapped.$p" | sort | uniq -c | tr -s ' ' | tr '\n' ';')"
    done
}

measure() {
    B=$1
    shift
    D=$(mktemp -d)
    trap 'rm -rf "$D"' EXIT
    # What a desktop session gives its programs: a runtime folder and a session bus
    # (this script runs under dbus-run-session); the GTK peers keep their settings in
    # memory and skip the accessibility bus, which this session does not run.
    export XDG_RUNTIME_DIR="$D/runtime" NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
    local groups=("$@")
    [ ${#groups[@]} -gt 0 ] || groups=(start-up reading eyedropper chain)
    if [ "${groups[0]}" = profile ]; then
        profile
        return
    fi
    for g in "${groups[@]}"; do
        case $g in
        start-up) echo "start-up and memory ..."; start_up_and_memory ;;
        reading) echo "screen readings ..."; screen_reading ;;
        eyedropper) echo "eyedropper CPU (about $((RUNS * 44)) s) ..."; eyedropper ;;
        chain) echo "editing chain ..."; QT_QPA_PLATFORM=offscreen editing_chain ;;
        *) echo "unknown group $g (start-up, reading, eyedropper, chain)" >&2; exit 2 ;;
        esac
    done
    report
}

case "${1:-}" in
--on-xvfb) # internal: the measurements, on the display this script started
    shift
    measure "$@"
    ;;
""|start-up|reading|eyedropper|chain|profile)
    install_missing "${PACKAGES[@]}"
    [ -f "$BUILD_DIR/CMakeCache.txt" ] ||
        cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DTAVRIN_TESTS=OFF
    cmake --build "$BUILD_DIR" --target "${TOOLS[@]}" -j"$(nproc)"
    exec dbus-run-session -- tests/support/run-on-xvfb.sh 1280x1024x24 \
        "$SELF" --on-xvfb "$(realpath "$BUILD_DIR")" "$@"
    ;;
*)
    echo "usage: $0 [start-up|reading|eyedropper|chain ...|profile]   (RUNS=N: more runs than 5)" >&2
    exit 2
    ;;
esac
