#!/usr/bin/env bash
# machine_cost.sh: what each game costs the machine, in a real window under a private Xvfb: the
# cores its process uses over SECONDS (from /proc: user and system time of all its threads), for
# Quandrel at rest and with the pointer moving 1,000 times a second, and for Drapple's title and a
# game in play; Drapple's gaps between frames; and Quandrel's time from a lone pointer move to the
# frame that shows it. A preloaded SDL_Flip (frame_clock.so) notes when each frame is presented.
#
# usage: machine_cost.sh BUILD_DIR [SECONDS]   (default 10); prints one "figure value" line each
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-10}
source "$(dirname "$0")/../tests/common/xvfb.sh"
export SDL_AUDIODRIVER=dummy
bench=$build/bench
work=$(mktemp -d)
game=""
keeper=""
trap 'stop; rm -rf "$work"' EXIT

# start GAME: Quandrel or Drapple on a screen of its own size, its frames noted in $work/frames.
start() {
    local dir program geometry name
    case $1 in
    quandrel) dir=$build/cones program=./cones geometry=800x600x24 name=Quandrel ;;
    drapple) dir=$build/blocks program=./blocks geometry=640x480x24 name=Drapple ;;
    esac
    start_xvfb "$geometry"
    # An idle client keeps the server from resetting while SDL opens and closes its probe.
    xprop -root -spy >/dev/null 2>&1 &
    keeper=$!
    (cd "$dir" && FRAME_CLOCK_FILE=$work/frames LD_PRELOAD=$bench/libframe_clock.so \
        exec $program >/dev/null 2>&1) &
    game=$!
    local end=$((SECONDS + 30))
    until window=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n1) &&
        [ -n "$window" ]; do
        [ $SECONDS -lt $end ] || { echo "machine_cost.sh: no $name window" >&2; exit 1; }
        sleep 0.1
    done
    sleep 2 # past start-up, and for Drapple the loading of the title
}

stop() {
    [ -z "$game" ] || { kill -KILL "$game" 2>/dev/null; wait "$game" 2>/dev/null || true; }
    [ -z "$keeper" ] || { kill "$keeper" 2>/dev/null; wait "$keeper" 2>/dev/null || true; }
    game="" keeper=""
    stop_xvfb
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }

# cores NAME: the cores the game uses over the next $seconds.
cores() {
    local before after
    before=$(cpu_ticks)
    sleep "$seconds"
    after=$(cpu_ticks)
    awk -v n="$1" -v a="$before" -v b="$after" -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%s %.4f\n", n, (b - a) / hz / s }'
}

# median FILE COLUMN: the middle value of a column of numbers.
median() {
    sort -g -k"$2,$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print NR ? v[int((NR + 1) / 2)] : "none" }'
}

# Frames presented from now on, as "end-of-flip flip-duration" nanoseconds.
frames_from_now() { : >"$work/frames"; }

start quandrel
cores quandrel-rest
stop

start quandrel
"$bench/pointer" storm "$window" 1000 $((seconds + 2)) &
storm=$!
sleep 1
frames_from_now
cores quandrel-pointer
awk -v s="$seconds" '{ flip += $2 } END { printf "quandrel-pointer-frames-per-second %.1f\n", NR / s
    printf "quandrel-pointer-flip-mean-ms %.3f\n", flip / NR / 1e6 }' "$work/frames"
wait "$storm"
stop

# A lone move after a rest of 200 ms, fifty times: the first frame presented after each.
start quandrel
frames_from_now
"$bench/pointer" single "$window" 50 200 >"$work/moves"
sleep 0.2
awk 'NR == FNR { frames[NR] = $1; flips[NR] = $2; n = NR; next }
     { for (i = 1; i <= n; i++) if (frames[i] > $1) {
           print (frames[i] - $1) / 1e6, flips[i] / 1e6; break } }' \
    "$work/frames" "$work/moves" | sort -n >"$work/latency"
echo "quandrel-move-to-frame-median-ms $(median "$work/latency" 1)"
echo "quandrel-flip-median-ms $(median "$work/latency" 2)"
echo "quandrel-moves-shown $(wc -l <"$work/latency") of 50"
stop

start drapple
cores drapple-title
stop

# In play: started from the title, then the pieces fall on their own.
start drapple
xdotool keydown x
sleep 0.1
xdotool keyup x
sleep 1
frames_from_now
cores drapple-play
awk 'NR > 1 { print ($1 - last) / 1e6 } { last = $1 }' "$work/frames" >"$work/gaps"
echo "drapple-gap-median-ms $(median "$work/gaps" 1)"
awk '{ sum += $1 } END { printf "drapple-gap-mean-ms %.3f\n", sum / NR }' "$work/gaps"
stop
