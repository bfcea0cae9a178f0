#!/usr/bin/env bash
# play_menu_test.sh GAME_DIR [PROGRAM [LAUNCHER...]]: the title shows, its cursor follows Down,
# Z starts a game, pieces stay up until Down is held, then drop to the bottom; Escape in the game
# quits.
source "$(dirname "$0")/play_common.sh" "$@"
start_game
until_screen 60 on_title_start || fail "the title with the cursor on Start did not show"
hold_until 30 on_title_quit Down || fail "the cursor did not follow Down to Quit"
until_screen 30 on_title_start || fail "the cursor did not return to Start"
start_with_z
# Left alone, a piece drops a row every three seconds or so: a second on, the bottom of the well
# is still empty (and stays so: nothing can empty it again before Down is held).
sleep 1
game_with_empty_bottom() { on_game "$1" && well_bottom_empty "$1"; }
until_screen 30 game_with_empty_bottom || fail "a piece fell to the bottom without Down"
# Held Down drops a piece a row every other tick: the bottom fills within a second or so.
blocks_at_bottom() { on_game "$1" && ! well_bottom_empty "$1"; }
hold_until 60 blocks_at_bottom Down || fail "holding Down dropped no piece to the bottom"
quit_holding Escape
expect_goodbye
echo "menu, start, drop and Escape: ok"
