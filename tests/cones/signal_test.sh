#!/usr/bin/env bash
# signal_test.sh: Quandrel ends on an interrupt (Ctrl+C in the terminal it was started from) and
# on a termination request (kill, timeout, a desktop session logging out) as it does on Escape:
# with status 1, within a second, while it rests with nothing to draw.
#
# usage: signal_test.sh GAME_FOLDER TOOLS_FOLDER
game_dir=$(cd "$1" && pwd)
tools_dir=$(cd "$2" && pwd)
sheet="$game_dir/gfx/cones.bmp"
source "$(dirname "$0")/../common/window_test.sh"
show_file "$WINDOW_WORK/screen.txt"

board_drawn() {
    "$tools_dir/cones_screen_reader" "$1" "$sheet" >"$WINDOW_WORK/screen.txt" &&
        grep -q '^row 9: - - - - marks 0 0 0 0$' "$WINDOW_WORK/screen.txt"
}
milliseconds() { echo $(($(date +%s%N) / 1000000)); }

start_xvfb 1024x768x24 || fail "no X server"
for signal in INT TERM; do
    start_program "$game_dir" ./cones
    wid=$(wait_for_window Quandrel 60) || fail "no window titled Quandrel"
    SHOT_WINDOW=$wid
    until_screen 60 board_drawn || fail "the board never showed"
    sent=$(milliseconds)
    kill -s "$signal" "$GAME_PID"
    while game_running && [ $(($(milliseconds) - sent)) -lt 1000 ]; do sleep 0.02; done
    game_running && fail "SIG$signal did not end the game within a second"
    wait_for_game_end 5 || fail "the game did not end"
    [ "$status" = 1 ] || fail "SIG$signal: exit status $status, not 1"
    [ ! -s "$WINDOW_WORK/stderr" ] || fail "SIG$signal: the game wrote to its error stream"
    echo "SIG$signal ended the game in $(($(milliseconds) - sent)) ms with status 1"
done
