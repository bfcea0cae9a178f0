#!/usr/bin/env bash
# play_game_test.sh GAME_DIR: a game played to the top ends on the result screen with its
# score, the title comes back, and Down with Z quits.
source "$(dirname "$0")/play_common.sh"
start_game
until_screen 10 on_title_start || fail "no title"
hold z
until_screen 5 on_game || fail "Z did not start a game"
# Every piece falls straight down the middle: the well fills up without a full row, so the
# game tops out with a score of 0.
xdotool keydown Down
until_screen 60 on_result || fail "the game did not end on the result screen"
xdotool keyup Down
shoot result
digits=()
for k in $(seq 0 15); do
    digits+=(\( "$GAME_DIR/num.bmp" -crop 10x32+0+0 +repage -transparent '#00FF00' \) \
        -geometry +$((250 + 10 * k))+240 -composite)
done
convert "$WORK/result.png" "${digits[@]}" "$WORK/score.png"
[ "$(differing "$WORK/result.png" "$WORK/score.png")" -lt 20 ] || fail "the score 0 is not shown"
until_screen 10 on_title_start || fail "the title did not come back after the result"
xdotool keydown Down
sleep 0.1
xdotool keydown z
sleep 0.1
xdotool keyup z Down
expect_goodbye
echo "game to the top, result, title, quit from the menu: ok"
