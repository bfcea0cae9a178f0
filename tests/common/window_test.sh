# window_test.sh: sourced by every test that runs a game in a real window on a private X server.
#
# It starts the server and the game, waits on what the screen shows (never on a fixed time),
# and stops both however the test ends. When a test fails, the screen at that moment, the last
# screenshot the test judged and the game's standard output and error are kept in the folder
# named by WINDOW_TEST_ARTEFACTS (CTest points it into the build tree), and the test's own
# output says where and shows what the game said, so the CTest log alone explains the failure.
#
# The sourcing script gets: $WINDOW_WORK (a scratch folder, removed at exit), start_xvfb,
# start_program, wait_for_window, until_screen, hold_until, hold_until_gone, wait_for_game_end,
# differing, fail, keep_file and show_file; and from program.sh, choose_program, LINE_END and
# right_line_ends.
set -Eeuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"
export SDL_AUDIODRIVER=dummy

WINDOW_WORK=$(mktemp -d)
WINDOW_ARTEFACTS=${WINDOW_TEST_ARTEFACTS:-${TMPDIR:-/tmp}/window-test-failures/$(basename "$0" .sh)}
GAME_PID=""
LAST_SHOT=""  # the screenshot that until_screen judged last
SHOT_WINDOW=root # what until_screen photographs: the whole screen, or one window's id
KEPT_FILES=() # more files of the test worth keeping when it fails
SHOWN_FILES=() # and those of them worth showing in its output too
rm -rf "$WINDOW_ARTEFACTS"

# fail MESSAGE: ends the test as failed; the exit trap keeps the screen and the output.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# keep_file PATH...: files the test writes that explain a failure (kept if they exist by then);
# show_file PATH...: the same, and their text is shown in the test's output.
keep_file() { KEPT_FILES+=("$@"); }
show_file() {
    KEPT_FILES+=("$@")
    SHOWN_FILES+=("$@")
}

# Every game is started in a process group of its own, so that it can be paused as a whole
# while a screenshot is judged, and so that nothing it started outlives the test.
game_running() { [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; }
pause_game() { [ -z "$GAME_PID" ] || kill -STOP -- "-$GAME_PID" 2>/dev/null || true; }
resume_game() { [ -z "$GAME_PID" ] || kill -CONT -- "-$GAME_PID" 2>/dev/null || true; }
stop_game() {
    [ -n "$GAME_PID" ] || return 0
    # A paused game would never act on a gentler signal.
    kill -KILL -- "-$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
}

# start_program FOLDER COMMAND...: runs the command from FOLDER in the background, its output in
# $WINDOW_WORK/stdout and $WINDOW_WORK/stderr; sets GAME_PID. One game at a time.
start_program() {
    local folder=$1
    shift
    stop_game
    (cd "$folder" && exec setsid "$@") </dev/null >"$WINDOW_WORK/stdout" 2>"$WINDOW_WORK/stderr" &
    GAME_PID=$!
}

# wait_for_game_end SECONDS: waits until the game has ended; sets $status to its exit status.
wait_for_game_end() {
    local end=$((SECONDS + $1))
    while game_running && [ $SECONDS -lt $end ]; do sleep 0.1; done
    game_running && return 1
    status=0
    wait "$GAME_PID" || status=$?
    GAME_PID=""
}

# look: a screenshot of $SHOT_WINDOW into $LAST_SHOT, a 24-bit BMP that SDL and ImageMagick read.
look() {
    LAST_SHOT=$WINDOW_WORK/look.bmp
    import -window "$SHOT_WINDOW" "BMP3:$LAST_SHOT"
}

# until_screen SECONDS TEST...: takes screenshots until TEST, given the shot, holds.
#
# The game is paused from each shot until it has been judged, and runs only between looks. So a
# screen the game shows for a fixed number of ticks is seen however slowly a busy machine judges
# the shots: between two looks the game runs a third of a second, about twenty ticks at most.
until_screen() {
    local end=$((SECONDS + $1))
    shift
    while :; do
        game_running || fail "the game ended early"
        pause_game
        if look && "$@" "$LAST_SHOT"; then
            resume_game
            return 0
        fi
        resume_game
        [ $SECONDS -lt $end ] || return 1
        sleep 0.3
    done
}

# hold_until SECONDS TEST KEY...: holds the keys until the screen passes TEST, then lets them go.
# The keys are pressed again at each look: a game that lost sight of them (its window lost and
# regained the focus) sees them held once more.
hold_until() {
    local limit=$1 test=$2
    shift 2
    local keys=("$@")
    held() {
        xdotool keydown "${keys[@]}"
        "$test" "$1"
    }
    local seen=0
    until_screen "$limit" held && seen=1
    xdotool keyup "${keys[@]}" 2>/dev/null || true
    [ $seen = 1 ]
}

# hold_until_gone SECONDS KEY...: holds the keys, pressed one after the other a few ticks apart,
# until the game has ended; sets $status to its exit status.
hold_until_gone() {
    local limit=$1 ended=0
    shift
    for key in "$@"; do
        xdotool keydown "$key"
        sleep 0.05
    done
    wait_for_game_end "$limit" && ended=1
    xdotool keyup "$@" 2>/dev/null || true
    [ $ended = 1 ]
}

# differing A B: how many pixels of two same-sized pictures differ beyond rounding (every pixel
# when they cannot be compared).
differing() {
    local count
    count=$(compare -metric AE -fuzz 4% "$1" "$2" null: 2>&1 | sed 's/ .*//') || true
    [[ "$count" =~ ^[0-9]+$ ]] || count=999999999
    echo "$count"
}

# Where a failed test leaves what it saw and what the game said, and shows it in its output.
# The screen is taken first, while the game's window is still there.
keep_screen() {
    mkdir -p "$WINDOW_ARTEFACTS"
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        resume_game
        timeout 20 import -window root "$WINDOW_ARTEFACTS/screen-at-failure.png" 2>/dev/null || true
    fi
    [ -z "$LAST_SHOT" ] || [ ! -f "$LAST_SHOT" ] ||
        convert "$LAST_SHOT" "$WINDOW_ARTEFACTS/last-look.png" 2>/dev/null || true
}
keep_output() {
    local file
    for file in "$WINDOW_WORK/stdout" "$WINDOW_WORK/stderr" "${KEPT_FILES[@]}"; do
        [ ! -f "$file" ] || cp "$file" "$WINDOW_ARTEFACTS/"
    done
    [ -z "$XVFB_DIR" ] || [ ! -f "$XVFB_DIR/log" ] || cp "$XVFB_DIR/log" "$WINDOW_ARTEFACTS/xvfb.log"
    echo "screen and output kept in $WINDOW_ARTEFACTS" >&2
    for file in "${SHOWN_FILES[@]}"; do
        [ ! -s "$file" ] || { echo "$(basename "$file"):" >&2; cat -v "$file" >&2; }
    done
    for file in stdout stderr; do
        [ -s "$WINDOW_WORK/$file" ] || { echo "the game's $file: empty" >&2; continue; }
        echo "the game's $file (last 40 lines; bytes past ASCII as M- escapes):" >&2
        tail -n 40 "$WINDOW_WORK/$file" | cat -v >&2
        echo >&2
    done
}

window_test_exit() {
    local status=$?
    trap - ERR
    # 77: the test was skipped.
    local failed=0
    [ "$status" = 0 ] || [ "$status" = 77 ] || failed=1
    [ $failed = 0 ] || keep_screen
    stop_game
    [ $failed = 0 ] || keep_output
    stop_xvfb
    rm -rf "$WINDOW_WORK"
    exit "$status"
}
trap window_test_exit EXIT
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
trap 'fail "stopped by a signal: out of time?"' TERM INT
