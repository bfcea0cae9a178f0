# play_common.sh: sourced by the tests that play Drapple in a real window under Xvfb. The
# screen is read with ImageMagick and compared with the game's own pictures from the build.
# Usage from a test: source it with the folder holding the program and its pictures as $1.
set -u
GAME_DIR=$(cd "$1" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/../common/xvfb.sh"
export SDL_AUDIODRIVER=dummy
WORK=$(mktemp -d)
GAME_PID=""

fail() {
    echo "FAIL: $*" >&2
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    exit 1
}

# Starts the game on a private 640 x 480 screen and waits for its window.
start_game() {
    start_xvfb 640x480x24 || fail "no X server"
    trap 'kill $XVFB_PID 2>/dev/null; [ -n "$GAME_PID" ] && kill $GAME_PID 2>/dev/null; rm -rf "$XVFB_DIR" "$WORK"' EXIT
    (cd "$GAME_DIR" && exec ./blocks >"$WORK/stdout" 2>"$WORK/stderr") &
    GAME_PID=$!
    WINDOW=$(wait_for_window Drapple 10) || fail "no Drapple window"
    local geometry
    geometry=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "640x480" ] || fail "window is $geometry, not the full 640x480 screen"
}

# hold KEY... : holds the keys together for longer than a tick, then lets them go.
hold() {
    xdotool keydown "$@"
    sleep 0.1
    xdotool keyup "$@"
}

shoot() { import -window root "$WORK/$1.png"; }

# differing A B: how many pixels of two same-sized pictures differ beyond rounding.
differing() {
    compare -metric AE -fuzz 4% "$1" "$2" null: 2>&1 | sed 's/ .*//'
}

# A picture with its green turned transparent, as the game draws it.
keyed() { echo "( $GAME_DIR/$1 -transparent #00FF00 )"; }

# The title with the cursor on menu line LINE (0 start, 1 quit).
title_picture() {
    local y=$((140 + 60 * $1))
    convert "$GAME_DIR/backtitle.bmp" $(keyed char.bmp) -geometry +440+$y -composite \
        "$WORK/title$1.png"
    echo "$WORK/title$1.png"
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

# until_screen SECONDS TEST...: takes screenshots until TEST (given the shot) holds.
until_screen() {
    local limit=$1
    shift
    local end=$((SECONDS + limit))
    while [ $SECONDS -lt $end ]; do
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early"
        shoot now
        "$@" "$WORK/now.png" && return 0
        sleep 0.2
    done
    return 1
}

on_title() { [ "$(differing "$1" "$(title_picture "$2")")" -lt 100 ]; }
on_title_start() { on_title "$1" 0; }
on_title_quit() { on_title "$1" 1; }
# The frame of the playing field, less the places where numbers and blocks are drawn on it.
on_game() { shows_over "$1" back1p.bmp 400,0,639,479; }
on_result() { shows_over "$1" resault.bmp 250,240,409,271; }

# well_bottom_empty SHOT: the two bottom rows of the well show only its background picture.
well_bottom_empty() {
    convert "$1" -crop 160x40+240+400 +repage "$WORK/bottom.png"
    convert "$GAME_DIR/char/1/back.bmp" -crop 160x40+5+375 +repage "$WORK/background.png"
    [ "$(differing "$WORK/bottom.png" "$WORK/background.png")" -lt 20 ]
}

# expect_goodbye: the game ends by itself with status 0 and "正常終了" in Shift-JIS, no more.
expect_goodbye() {
    local status=0
    for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not quit"
    wait "$GAME_PID" || status=$?
    GAME_PID=""
    [ "$status" -eq 0 ] || fail "exit status $status"
    printf '\x90\xb3\x8f\xed\x8f\x49\x97\xb9' >"$WORK/goodbye"
    cmp -s "$WORK/stdout" "$WORK/goodbye" || fail "said $(od -An -tx1 "$WORK/stdout")"
}
