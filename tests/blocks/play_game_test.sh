#!/usr/bin/env bash
# play_game_test.sh GAME_DIR [PROGRAM [LAUNCHER...]]: a game played to the top ends on the result
# screen with its score, the title comes back, and Down with Z quits.
source "$(dirname "$0")/play_common.sh" "$@"
start_game
until_screen 60 on_title_start || fail "no title"
start_with_z
# Every piece falls straight down the middle: the well fills up without a full row, so the
# game tops out with a score of 0.
hold_until 240 on_result Down || fail "the game did not end on the result screen"
# The result's first picture has no score yet; every later one shows it.
result_with_score() { on_result "$1" && shows_score "$1" 0; }
until_screen 30 result_with_score || fail "the result screen did not show the score 0"
until_screen 30 on_title_start || fail "the title did not come back after the result"
quit_holding Down z
expect_goodbye
echo "game to the top, result, title, quit from the menu: ok"
