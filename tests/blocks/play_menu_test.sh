#!/usr/bin/env bash
# play_menu_test.sh GAME_DIR: the title shows, its cursor follows Down, Z starts a game, pieces
# stay up until Down is held, then drop to the bottom; Escape in the game quits.
source "$(dirname "$0")/play_common.sh"
start_game
until_screen 10 on_title_start || fail "the title with the cursor on Start did not show"
xdotool keydown Down
until_screen 10 on_title_quit || fail "the cursor did not follow Down to Quit"
xdotool keyup Down
until_screen 10 on_title_start || fail "the cursor did not return to Start"
start_with_z
sleep 1
shoot still
well_bottom_empty "$WORK/still.png" || fail "a piece fell to the bottom without Down"
# Held Down drops a piece a row every other tick: the bottom fills within a second or so.
blocks_at_bottom() { on_game "$1" && ! well_bottom_empty "$1"; }
xdotool keydown Down
until_screen 20 blocks_at_bottom || fail "holding Down dropped no piece to the bottom"
xdotool keyup Down
quit_holding Escape
expect_goodbye
echo "menu, start, drop and Escape: ok"
