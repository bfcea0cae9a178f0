#!/usr/bin/env bash
# play_escape_test.sh GAME_DIR SCREEN [PROGRAM [LAUNCHER...]]: Escape quits from the title, the
# game or the result.
screen_name=$2
source "$(dirname "$0")/play_common.sh" "$1" "${@:3}"
start_game
until_screen 60 on_title_start || fail "no title"
if [ "$screen_name" != title ]; then
    start_with_z
fi
if [ "$screen_name" = result ]; then
    hold_until 240 on_result Down || fail "the game did not end on the result screen"
fi
quit_holding Escape
expect_goodbye
echo "Escape on the $screen_name screen: ok"
