# play_common.sh: sourced by the tests that play Drapple in a real window under Xvfb. The
# screen is read with ImageMagick and compared with the game's own pictures from the build.
# Usage from a test: source it with the folder holding the program and its pictures as $1, then
# optionally the program (blocks) and what starts it (see choose_program in program.sh).
source "$(dirname "${BASH_SOURCE[0]}")/../common/window_test.sh"
GAME_DIR=$(cd "$1" && pwd)
choose_program "$GAME_DIR" blocks "${@:2}"
WORK=$WINDOW_WORK

# Starts the game on a private 640 x 480 screen and waits for its window to fill it.
start_game() {
    start_xvfb 640x480x24 || fail "no X server"
    # The game spins between its ticks; at a lower priority it leaves the X server and the
    # screen readers room on a busy machine, and still gets every tick it needs.
    start_program "$GAME_DIR" nice -n 5 "${GAME_COMMAND[@]}"
    wait_for_window Drapple 60 >/dev/null || fail "no Drapple window"
    # The window may be made anew on its way to full screen: the one that counts is the one
    # that fills the screen.
    local end=$((SECONDS + 30)) sizes
    until sizes=$(window_sizes Drapple) && [[ " $sizes " == *" 640x480 "* ]]; do
        [ $SECONDS -lt $end ] || fail "no Drapple window fills the 640x480 screen (windows: $sizes)"
        sleep 0.2
    done
}

# window_sizes NAME: the sizes of the visible windows with that name, as WxH.
window_sizes() {
    local id size sizes=()
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
        size=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: //p') || size=gone
        sizes+=("$size")
    done
    echo "${sizes[*]}"
}

# start_with_z: holds Z on the title until the game screen shows.
start_with_z() { hold_until 60 on_game z || fail "Z did not start a game"; }

# A picture with its green turned transparent, as the game draws it.
keyed() { echo "( $GAME_DIR/$1 -transparent #00FF00 )"; }

# title_picture LINE: the title with the cursor on menu line LINE (0 start, 1 quit), made once.
title_picture() {
    local picture=$WORK/title$1.png y=$((140 + 60 * $1))
    [ -f "$picture" ] ||
        convert "$GAME_DIR/backtitle.bmp" $(keyed char.bmp) -geometry +440+$y -composite "$picture"
    echo "$picture"
}

# shows_over SHOT PICTURE: the opaque pixels of the full-screen PICTURE stand on the screen,
# with the given rectangles (x,y,x2,y2), where the game draws over the picture, left out.
shows_over() {
    local shot=$1 picture=$2
    shift 2
    local blank=()
    for box in "$@"; do blank+=(-draw "rectangle ${box}"); done
    convert "$shot" $(keyed "$picture") -composite -fill black "${blank[@]}" "$WORK/want.png"
    convert "$shot" -fill black "${blank[@]}" "$WORK/got.png"
    [ "$(differing "$WORK/want.png" "$WORK/got.png")" -lt 100 ]
}

on_title() { [ "$(differing "$1" "$(title_picture "$2")")" -lt 100 ]; }
on_title_start() { on_title "$1" 0; }
on_title_quit() { on_title "$1" 1; }
# The frame of the playing field, less the places where numbers and blocks are drawn on it.
on_game() { shows_over "$1" back1p.bmp 400,0,639,479; }
on_result() { shows_over "$1" resault.bmp 250,240,409,271; }

# shows_score SHOT VALUE: the result's 16 digits of VALUE, with leading zeros, from num.bmp.
shows_score() {
    local digits=() value=$2
    for k in $(seq 0 15); do
        digits+=(\( "$GAME_DIR/num.bmp" -crop 10x32+$((16 * (value % 10)))+0 +repage
            -transparent '#00FF00' \) -geometry +$((400 - 10 * k))+240 -composite)
        value=$((value / 10))
    done
    convert "$1" "${digits[@]}" "$WORK/score.png"
    [ "$(differing "$1" "$WORK/score.png")" -lt 20 ]
}

# well_bottom_empty SHOT: the two bottom rows of the well show only its background picture.
well_bottom_empty() {
    convert "$1" -crop 160x40+240+400 +repage "$WORK/bottom.png"
    convert "$GAME_DIR/char/1/back.bmp" -crop 160x40+5+375 +repage "$WORK/background.png"
    [ "$(differing "$WORK/bottom.png" "$WORK/background.png")" -lt 20 ]
}

# quit_holding KEY...: holds the keys (one after the other) until the game ends.
quit_holding() { hold_until_gone 60 "$@" || fail "the game did not quit on $*"; }

# expect_goodbye: after quit_holding, the game has ended by itself with status 0 and "正常終了"
# in Shift-JIS, no more.
expect_goodbye() {
    [ "$status" -eq 0 ] || fail "exit status $status"
    printf '\x90\xb3\x8f\xed\x8f\x49\x97\xb9' >"$WORK/goodbye"
    cmp -s "$WORK/stdout" "$WORK/goodbye" || fail "said $(od -An -tx1 "$WORK/stdout")"
}
