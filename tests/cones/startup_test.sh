#!/usr/bin/env bash
# startup_test.sh: the ways Quandrel can fail to start, through the real program: what it says on
# standard error, that it says nothing else, and its exit status.
#
# usage: startup_test.sh failures GAME_FOLDER [PROGRAM [LAUNCHER...]]
#            no video driver, missing or unreadable sheets
#        startup_test.sh video-mode GAME_FOLDER [PROGRAM [LAUNCHER...]]
#            a display that refuses the 16-bit window
#   GAME_FOLDER holds the program, cones unless given; LAUNCHER starts it (see program.sh).
what=$1
game_dir=$(cd "$2" && pwd)
source "$(dirname "$0")/../common/window_test.sh"
choose_program "$game_dir" cones "${@:3}"
work=$WINDOW_WORK

# run FOLDER [VAR=VALUE...]: runs the game from FOLDER; sets $status, $out and $err.
run() {
    local folder=$1
    shift
    status=0
    (cd "$folder" && env "$@" timeout -s KILL 60 "${GAME_COMMAND[@]}") \
        </dev/null >"$work/stdout" 2>"$work/stderr" || status=$?
    out=$(cat "$work/stdout")
    err=$(cat "$work/stderr")
}

# expect_failure PREFIX: one line on standard error, PREFIX then SDL's reason; status 1.
expect_failure() {
    local prefix=$1
    [ "$status" = 1 ] || fail "status $status, not 1, for: $prefix"
    [ -z "$out" ] || fail "something on standard output: $out"
    [ "$(wc -l <"$work/stderr")" = 1 ] || fail "not one line on standard error: $err"
    right_line_ends "$work/stderr" ||
        fail "standard error's line does not end as the program's C library ends a line"
    [[ "$err" == "$prefix"?* ]] || fail "standard error says \"$err\", not \"$prefix\" and a reason"
}

case $what in
failures)
    run "$game_dir" SDL_VIDEODRIVER=nonexistent
    expect_failure "Initialization of SDL failed: "

    # The sheets load before SDL starts: a missing one is reported before any window, which the
    # unusable driver shows (its message would follow if SDL were started).
    mkdir -p "$work/none" "$work/gui-missing/gfx" "$work/cones-garbled/gfx" "$work/gui-garbled/gfx"
    run "$work/none" SDL_VIDEODRIVER=nonexistent
    expect_failure "Loading gfx/cones.bmp failed: "
    cp "$game_dir/gfx/cones.bmp" "$work/gui-missing/gfx/"
    run "$work/gui-missing" SDL_VIDEODRIVER=nonexistent
    expect_failure "Loading gfx/gui.bmp failed: "
    head -c 200 "$game_dir/gfx/cones.bmp" >"$work/cones-garbled/gfx/cones.bmp"
    cp "$game_dir/gfx/gui.bmp" "$work/cones-garbled/gfx/"
    run "$work/cones-garbled" SDL_VIDEODRIVER=nonexistent
    expect_failure "Loading gfx/cones.bmp failed: "
    cp "$game_dir/gfx/cones.bmp" "$work/gui-garbled/gfx/"
    echo "not a picture" >"$work/gui-garbled/gfx/gui.bmp"
    run "$work/gui-garbled" SDL_VIDEODRIVER=nonexistent
    expect_failure "Loading gfx/gui.bmp failed: "
    echo "each start-up failure is named on standard error with status 1"
    ;;
video-mode)
    # An 8-bit X screen: the SDL2-based runtime refuses an 800 x 600 x 16 window there, the
    # classic one emulates it. When the window opens, this runtime cannot show the failure.
    start_xvfb 800x600x8 || fail "no X server"
    start_program "$game_dir" "${GAME_COMMAND[@]}"
    end=$((SECONDS + 60))
    while game_running; do
        if xdotool search --onlyvisible --name '^Quandrel$' >/dev/null 2>&1; then
            echo "this runtime opens the window on an 8-bit screen: nothing to refuse"
            exit 77
        fi
        [ $SECONDS -lt $end ] || fail "the game neither opened its window nor ended"
        sleep 0.1
    done
    wait_for_game_end 0
    out=$(cat "$work/stdout")
    err=$(cat "$work/stderr")
    expect_failure "Setting video-mode failed: "
    echo "a refused video mode is named on standard error with status 1"
    ;;
*)
    fail "unknown case $what"
    ;;
esac
