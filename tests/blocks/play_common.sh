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
    [ -s "$WORK/stdout" ] && echo "game said: $(od -An -c "$WORK/stdout" | head -5)" >&2
    [ -s "$WORK/stderr" ] && echo "game errors: $(tail -5 "$WORK/stderr")" >&2
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    exit 1
}

# start_with_z: holds Z on the title until the game screen shows.
start_with_z() {
    xdotool keydown z
    until_screen 10 on_game || fail "Z did not start a game"
    xdotool keyup z
}

# Starts the game on a private 640 x 480 screen and waits for its window.
start_game() {
    start_xvfb 640x480x24 || fail "no X server"
    # The server resets whenever its last client leaves, dropping anyone who connects during
    # the reset; SDL opens and closes a probe connection right before its real one. An idle
    # client held for the whole test keeps the server from resetting.
    xprop -root -spy >/dev/null 2>&1 &
    KEEPER_PID=$!
    trap 'kill $KEEPER_PID $XVFB_PID 2>/dev/null; [ -n "$GAME_PID" ] && kill $GAME_PID 2>/dev/null; rm -rf "$XVFB_DIR" "$WORK"' EXIT
    sleep 0.2
    # The game spins between its ticks; at a lower priority it leaves the X server and the
    # screen readers room on a busy machine, and still gets every tick it needs.
    (cd "$GAME_DIR" && exec nice -n 5 ./blocks >"$WORK/stdout" 2>"$WORK/stderr") &
    GAME_PID=$!
    WINDOW=$(wait_for_window Drapple 30) || fail "no Drapple window"
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

# quit_holding KEY...: holds the keys (one after the other, a tick apart) until the game ends,
# so that a busy machine cannot make the game miss them.
quit_holding() {
    for key in "$@"; do
        xdotool keydown "$key"
        sleep 0.1
    done
    for _ in $(seq 200); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    xdotool keyup "$@" 2>/dev/null || true
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
        sleep 0.3
    done
    return 1
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

# expect_goodbye: after quit_holding, the game has ended by itself with status 0 and "正常終了" in Shift-JIS, no more.
expect_goodbye() {
    local status=0
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not quit"
    wait "$GAME_PID" || status=$?
    GAME_PID=""
    [ "$status" -eq 0 ] || fail "exit status $status"
    printf '\x90\xb3\x8f\xed\x8f\x49\x97\xb9' >"$WORK/goodbye"
    cmp -s "$WORK/stdout" "$WORK/goodbye" || fail "said $(od -An -tx1 "$WORK/stdout")"
}
