#!/usr/bin/env bash
# peak_memory.sh: the peak resident memory (VmHWM, KiB) of a game after SECONDS of play in a real
# window under a private Xvfb, driven with xdotool as a player would; or of the bare SDL window
# that opens the same screen and does nothing else (the floor).
#
# usage: peak_memory.sh BUILD_DIR cones|blocks|bare-cones|bare-blocks SECONDS
set -euo pipefail
build=$(cd "$1" && pwd)
what=$2
seconds=$3
source "$(dirname "$0")/../tests/common/xvfb.sh"
export SDL_AUDIODRIVER=dummy

case $what in
cones) dir=$build/cones program=./cones geometry=800x600x24 ;;
blocks) dir=$build/blocks program=./blocks geometry=640x480x24 ;;
bare-cones) dir=$build/cones program="$build/bench/bare_window cones" geometry=800x600x24 ;;
bare-blocks) dir=$build/blocks program="$build/bench/bare_window blocks" geometry=640x480x24 ;;
*) echo "peak_memory.sh: unknown program $what" >&2; exit 2 ;;
esac

start_xvfb "$geometry"
# An idle client keeps the server from resetting while SDL opens and closes its probe connection.
xprop -root -spy >/dev/null 2>&1 &
keeper=$!
game=""
# The game goes with SIGKILL: the measurement is over, whatever state the game is in.
cleanup() {
    [ -n "$game" ] && kill -9 "$game" 2>/dev/null
    kill "$keeper" "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$XVFB_DIR"
}
trap cleanup EXIT
sleep 0.2
# shellcheck disable=SC2086 # the bare window takes its argument
(cd "$dir" && exec $program >/dev/null 2>&1) &
game=$!
disown "$game" # killed at the end on purpose: no notice of it

hold() {
    xdotool keydown "$@" 2>/dev/null || true
    sleep 0.1
    xdotool keyup "$@" 2>/dev/null || true
}

# Quandrel: a cone carried about, then a random row checked; ten of them lose the round and
# the next key starts a new one.
rows=0
play_cones() {
    xdotool mousemove 116 60 click 1 mousemove 400 300 2>/dev/null || true
    hold r
    hold Return
    rows=$((rows + 1))
    if [ $rows -ge 11 ]; then
        hold n
        rows=0
    fi
}

# Drapple: start from the title, slide, turn and drop pieces until the well fills, which brings
# the result and the title back round. Down is never held with Z or X, which on the title would
# choose Quit.
play_blocks() {
    hold x
    hold Left
    hold z
    hold Right
    hold Right
    xdotool keydown Down 2>/dev/null || true
    sleep 0.4
    xdotool keyup Down 2>/dev/null || true
}

end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
    kill -0 "$game" 2>/dev/null || { echo "peak_memory.sh: $what ended early" >&2; exit 1; }
    case $what in
    cones) play_cones ;;
    blocks) play_blocks ;;
    *) sleep 0.5 ;;
    esac
done
# A screenshot of the end of the run, when asked for, shows that the game was really played.
[ -n "${PEAK_MEMORY_SHOT:-}" ] && import -window root "$PEAK_MEMORY_SHOT"
sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$game/status"
