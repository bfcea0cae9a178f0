#!/usr/bin/env bash
# screenshots.sh [BUILD_DIR]: plays a little of each game in a private X server and keeps a
# picture of it for the README: docs/quandrel.png and docs/drapple.png; then draws Drapple's side
# column in a staged moment (side_column.sh). Run it again whenever the pictures of a game change.
# BUILD_DIR (default build/) must hold both built games.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
source "$here/../tests/common/xvfb.sh"
export SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
game=""
stop_game() {
    if [ -n "$game" ]; then kill -9 "$game" 2>/dev/null || true; wait "$game" 2>/dev/null || true; fi
    game=""
}
stop_server() {
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    rm -rf "$XVFB_DIR"
}
trap 'stop_game; [ -n "${XVFB_PID:-}" ] && stop_server; rm -rf "$work"' EXIT

# start GAME CAPTION: starts the game from its folder and waits for its window.
start() {
    (cd "$build/$1" && exec nice -n 5 "./$1") >/dev/null 2>&1 &
    game=$!
    wait_for_window "$2" 30 >/dev/null || { echo "no $2 window" >&2; exit 1; }
    sleep 1
}
hold() {
    xdotool keydown "$1"
    sleep "${2:-0.1}"
    xdotool keyup "$1"
}
click() {
    xdotool mousemove --sync "$1" "$2" click 1
    sleep 0.1
}
# keep NAME: the screen, in at most 256 colours so that the picture stays small.
keep() {
    import -window root "$work/shot.png"
    convert "$work/shot.png" -dither None -colors 256 PNG8:"$here/$1.png"
    echo "docs/$1.png: $(stat -c %s "$here/$1.png") bytes"
}

# Quandrel: five rows checked, a sixth half filled, and a cone in hand on its way to a slot.
start_xvfb 800x600x24
start cones Quandrel
xdotool mousemove 700 300
for _ in 1 2 3 4 5; do
    hold r
    sleep 0.2
    hold Return
    sleep 0.2
done
palette() { click 110 $((55 + 60 * $1)); } # picks colour $1 from the palette
slot() { click $((330 + 45 * $1)) $((560 - 60 * 5)); } # a slot of the sixth row
palette 2 && slot 0
palette 6 && slot 1
palette 4
xdotool mousemove --sync 465 215
sleep 0.5
keep quandrel
stop_game
stop_server

# Drapple: a game a few pieces in, slid and turned about.
start_xvfb 640x480x24
start blocks Drapple
xdotool mousemove 10 10
hold z 0.5
# Each piece is slid or turned (a key held with Down, for so many seconds) and dropped: the
# pieces spread over the well.
moves=(Left:0.9 Right:0.9 x:0.15 Left:0.5 Right:0.5 z:0.15)
for move in "${moves[@]}"; do
    xdotool keydown "${move%:*}"
    sleep "${move#*:}"
    xdotool keydown Down
    sleep 1
    xdotool keyup Down "${move%:*}"
    sleep 0.3
done
sleep 1.5
keep drapple
stop_game

# Drapple beside the well: popups, a full gauge and a tall stack, drawn headless.
"$here/side_column.sh" "$build"
