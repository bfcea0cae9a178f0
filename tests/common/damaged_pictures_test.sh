#!/usr/bin/env bash
# damaged_pictures_test.sh: both games started with damaged picture files, through the real
# programs: missing, empty, truncated, not a BMP at all, one pixel, 8-bit palette, 32 bits a pixel.
#
# usage: damaged_pictures_test.sh cones GAME_FOLDER BMP_VARIANT
#            each sheet damaged each way: an unreadable one is named and ends the game with
#            status 1; with a readable one the game plays in a window and quits with Escape
#        damaged_pictures_test.sh blocks-digits GAME_FOLDER BMP_VARIANT
#            an unreadable num.bmp ends Drapple at start-up with its message and status 1
#        damaged_pictures_test.sh blocks-round N GAME_FOLDER BMP_VARIANT
#            round N of 7: every other picture of Drapple damaged (each a different way, so that
#            over the seven rounds every picture is damaged every way), and a whole round played:
#            title, game, result, title again; each unreadable picture is named each time it is
#            loaded, and the game runs on and quits normally
mode=$1
if [ "$mode" = blocks-round ]; then
    round=$2
    shift
fi
game_dir=$(cd "$2" && pwd)
variant=$3
source "$(dirname "$0")/window_test.sh"
work=$WINDOW_WORK

# A sanitizer report must not pass for one of the game's own exit statuses; leaks are left out
# because the X and SDL2 libraries keep memory of their own at exit.
export ASAN_OPTIONS="detect_leaks=0:exitcode=86${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="exitcode=86:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

kinds=(missing empty truncated not-bmp tiny palette deep)
unreadable() { [ "$1" -lt 4 ]; } # the first four kinds cannot be read as a picture

# damage KIND PATH: replaces the picture at PATH (relative to the scratch folder) by its damaged
# form, made from the intact picture beside the game.
damage() {
    local kind=${kinds[$1]} path=$work/game/$2 intact=$game_dir/$2
    case $kind in
    missing) rm -f "$path" ;;
    empty) : >"$path" ;;
    truncated) head -c $(($(stat -c %s "$intact") / 2)) "$intact" >"$path" ;;
    not-bmp) echo "This is a text file, not a picture." >"$path" ;;
    *) "$variant" "$kind" "$intact" "$path" || fail "cannot make the $kind form of $2" ;;
    esac
}

# fresh_copy PATH...: a scratch folder holding intact copies of the pictures.
fresh_copy() {
    rm -rf "$work/game"
    for path in "$@"; do
        mkdir -p "$work/game/$(dirname "$path")"
        cp "$game_dir/$path" "$work/game/$path"
    done
}

no_sanitizer_report() {
    ! grep -q -e 'Sanitizer' -e 'runtime error' "$work/stderr" || fail "sanitizer report: $1"
}

# run_for_status PROGRAM [VAR=VALUE...]: runs it from the scratch folder, bounded; sets $status.
run_for_status() {
    local program=$1
    shift
    status=0
    (cd "$work/game" && env "$@" timeout -s KILL 60 "$game_dir/$program") \
        </dev/null >"$work/stdout" 2>"$work/stderr" || status=$?
}

cones_sheets=(gfx/cones.bmp gfx/gui.bmp)

# A readable sheet, however odd: the game opens its window, draws what the sheet holds while the
# pointer picks, places and hovers, checks a random row, starts anew, and leaves on Escape.
cones_plays_with() {
    local what=$1
    start_program "$work/game" nice -n 5 "$game_dir/cones"
    wait_for_window Quandrel 60 >/dev/null || fail "$what: no window"
    xdotool mousemove 110 60 click 1 mousemove 330 560 click 1 mousemove 700 550 sleep 0.2 \
        key r key Return mousemove 120 300 click 1 mousemove 600 400 sleep 0.2 key n sleep 0.2
    hold_until_gone 60 Escape || fail "$what: the game did not end"
    no_sanitizer_report "$what"
    [ "$status" = 1 ] || fail "$what: status $status, not 1"
    [ ! -s "$work/stdout" ] && [ ! -s "$work/stderr" ] || fail "$what: the game said something"
}

cones_case() {
    local sheet=$1 kind=$2 what="$1 ${kinds[$2]}"
    fresh_copy "${cones_sheets[@]}"
    damage "$kind" "$sheet"
    if unreadable "$kind"; then
        run_for_status cones SDL_VIDEODRIVER=dummy
        no_sanitizer_report "$what"
        [ "$status" = 1 ] || fail "$what: status $status, not 1"
        [ ! -s "$work/stdout" ] || fail "$what: something on standard output"
        [ "$(wc -l <"$work/stderr")" = 1 ] && grep -q "^Loading $sheet failed: ." "$work/stderr" ||
            fail "$what: standard error says $(cat "$work/stderr")"
    else
        cones_plays_with "$what"
    fi
    echo "$what: ok"
}

# "画像ファイルが読めませんでした" in Shift-JIS, Drapple's word for a picture it cannot read.
unreadable_text='\x89\xe6\x91\x9c\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd'
goodbye_text='\x90\xb3\x8f\xed\x8f\x49\x97\xb9'
blocks_pictures=(num.bmp backtitle.bmp char.bmp back1p.bmp block.bmp char/1/back.bmp resault.bmp)

digits_case() {
    local kind=$1 what="num.bmp ${kinds[$1]}"
    fresh_copy "${blocks_pictures[@]}"
    damage "$kind" num.bmp
    run_for_status blocks SDL_VIDEODRIVER=dummy
    no_sanitizer_report "$what"
    [ "$status" = 1 ] || fail "$what: status $status, not 1"
    printf "$unreadable_text\n" >"$work/want"
    cmp -s "$work/stdout" "$work/want" || fail "$what: said the wrong thing"
    echo "$what: ok"
}

# named_lines PATH...: how many lines of the game's output so far name one of the pictures.
named_lines() {
    local count=0
    for path in "$@"; do
        count=$((count + $(grep -c -a -F ":$path" "$work/stdout" || true)))
    done
    echo $count
}

# until_named SECONDS COUNT PATH...: waits until COUNT lines name one of the pictures.
until_named() {
    local end=$((SECONDS + $1)) count=$2
    shift 2
    while [ $SECONDS -lt $end ]; do
        game_running || fail "round $round: the game ended early"
        [ "$(named_lines "$@")" -ge "$count" ] && return 0
        sleep 0.2
    done
    return 1
}

# Round N: picture i of each screen is damaged in way (N + shift) mod 7, the shifts chosen so
# that every screen has a picture it cannot read in every round: its message shows the screen
# has been reached. num.bmp is damaged in the readable ways in the first three rounds.
blocks_round() {
    local -A shifts=([backtitle.bmp]=0 [char.bmp]=4 [back1p.bmp]=0 [block.bmp]=4
        [char/1/back.bmp]=2 [resault.bmp]=1)
    local title=() game=() result=() path kind
    fresh_copy "${blocks_pictures[@]}"
    [ "$round" -lt 3 ] && damage $((4 + round)) num.bmp
    for path in backtitle.bmp char.bmp back1p.bmp block.bmp char/1/back.bmp resault.bmp; do
        kind=$(((round + ${shifts[$path]}) % 7))
        damage $kind "$path"
        echo "round $round: $path ${kinds[$kind]}"
        unreadable $kind || continue
        case $path in
        backtitle.bmp | char.bmp) title+=("$path") ;;
        resault.bmp) result+=("$path") ;;
        *) game+=("$path") ;;
        esac
    done
    # Each picture's message, in the order the screens load them.
    : >"$work/want"
    for path in "${title[@]}" "${game[@]}" "${result[@]}" "${title[@]}"; do
        printf "$unreadable_text:%s\n" "$path" >>"$work/want"
    done
    printf "$goodbye_text" >>"$work/want"

    start_xvfb 640x480x24 || fail "no X server"
    # Line by line, so that each message shows as soon as its screen loads.
    start_program "$work/game" env ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0" \
        nice -n 5 stdbuf -oL "$game_dir/blocks"
    until_named 60 ${#title[@]} "${title[@]}" || fail "round $round: the title did not load"
    # X chooses the first line of the menu; held until the game has loaded.
    xdotool keydown x
    until_named 60 ${#game[@]} "${game[@]}" || fail "round $round: no game"
    # Down held drops every piece at once on the same columns: the stack soon tops out, the
    # result shows for two seconds, and the title comes back.
    xdotool keyup x keydown Down
    until_named 120 $((2 * ${#title[@]})) "${title[@]}" || fail "round $round: no title again"
    xdotool keyup Down
    hold_until_gone 60 Escape || fail "round $round: the game did not end"
    no_sanitizer_report "round $round"
    [ "$status" = 0 ] || fail "round $round: status $status, not 0"
    cmp -s "$work/stdout" "$work/want" ||
        fail "round $round: said $(od -An -c "$work/stdout"), not $(od -An -c "$work/want")"
    echo "round $round: every unreadable picture named, a whole round played, a normal end"
}

case $mode in
cones)
    start_xvfb 800x600x24 || fail "no X server"
    for sheet in "${cones_sheets[@]}"; do
        for kind in 0 1 2 3 4 5 6; do cones_case "$sheet" $kind; done
    done
    ;;
blocks-digits)
    for kind in 0 1 2 3; do digits_case $kind; done
    ;;
blocks-round)
    blocks_round
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
