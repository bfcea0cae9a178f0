#!/usr/bin/env bash
# player_test.sh: plays Quandrel as a person does, in a real window under Xvfb, with xdotool, and
# reads the board back from screenshots by comparing them with the cells of the game's own sheet.
#
# usage: player_test.sh GAME_FOLDER TOOLS_FOLDER
#   GAME_FOLDER holds cones and gfx/; TOOLS_FOLDER holds cones_screen_reader and cones_close_request.
set -euo pipefail
game_dir=$(cd "$1" && pwd)
tools_dir=$(cd "$2" && pwd)
sheet="$game_dir/gfx/cones.bmp"

source "$(dirname "$0")/../common/xvfb.sh"
start_xvfb 800x600x24
work=$(mktemp -d)
game=""
# Replaces the trap of start_xvfb: the game ignores SIGTERM, and Xvfb must go even after a failure.
cleanup() {
    if [ -n "$game" ]; then kill -9 "$game" 2>/dev/null || true; fi
    rm -rf "$work"
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    rm -rf "$XVFB_DIR"
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/screen.txt" ] && { echo "last screen read:" >&2; cat "$work/screen.txt" >&2; }
    exit 1
}

(cd "$game_dir" && exec ./cones) >"$work/stdout" 2>"$work/stderr" &
game=$!
wid=$(wait_for_window Quandrel 10) || fail "no window titled Quandrel"

# The pointer rests on an empty part of the window, where it highlights nothing and keeps the
# keyboard focus on the game.
rest() { xdotool mousemove --sync --window "$wid" 700 300; }
click() {
    xdotool mousemove --sync --window "$wid" "$1" "$2"
    sleep 0.05
    xdotool click 1
    sleep 0.05
}
key() {
    xdotool keydown "$1"
    sleep 0.08
    xdotool keyup "$1"
}
look() {
    import -window "$wid" BMP3:"$work/shot.bmp"
    "$tools_dir/cones_screen_reader" "$work/shot.bmp" "$sheet" >"$work/screen.txt"
}
# wait_until PATTERN...: looks at the screen until every extended regular expression matches a line.
wait_until() {
    for _ in $(seq 40); do
        look
        local all=1
        for pattern in "$@"; do grep -Eq "$pattern" "$work/screen.txt" || all=0; done
        [ $all = 1 ] && return 0
        sleep 0.1
    done
    fail "the screen never showed: $*"
}
pegs_of() { sed -n "s/^row $1: \(.*\) marks .*/\1/p" "$work/screen.txt"; }
marks_of() { sed -n "s/^row $1: .* marks \(.*\)/\1/p" "$work/screen.txt"; }

# The marks a guess deserves: one 1 for each colour of the secret in another slot, then one 2 for
# each in its own slot, then 0s.
marks_for() {
    local -a guess=($1) secret=($2)
    local exact=0 near=0 i j k out=()
    for i in 0 1 2 3; do
        for j in 0 1 2 3; do
            if [ "${guess[j]}" = "${secret[i]}" ]; then
                if [ $i = $j ]; then exact=$((exact + 1)); else near=$((near + 1)); fi
                break
            fi
        done
    done
    for k in 0 1 2 3; do
        if [ $k -lt $near ]; then out+=(1)
        elif [ $k -lt $((near + exact)) ]; then out+=(2)
        else out+=(0); fi
    done
    echo "${out[*]}"
}

empty_board=('^row 0: - - - - marks 0 0 0 0$' '^row 9: - - - - marks 0 0 0 0$' '^marker 0$'
             '^secret none$')
rest
wait_until "${empty_board[@]}"
[ "$(grep -c -- '- - - - marks 0 0 0 0$' "$work/screen.txt")" = 10 ] || fail "the board is not empty"

# Pick colour 4 from the palette and put it into slot 2 of the bottom row.
click 110 $((45 + 60 * 4 + 10))
click $((320 + 45 * 2 + 10)) 560
rest
wait_until '^row 0: - - 4 - marks 0 0 0 0$'

# Fill each row at random and check it, until the rows run out. A lucky win starts over.
guesses=()
marks=()
for attempt in 1 2 3; do
    won=0
    for r in $(seq 0 9); do
        key r
        wait_until "^row $r: [0-8] [0-8] [0-8] [0-8] marks 0 0 0 0$"
        key Return
        if [ $r -lt 9 ]; then wait_until "^marker $((r + 1))$"; else wait_until '^marker none$'; fi
        # Read each row as soon as it is checked: the end-of-round panel later covers some.
        guesses[r]=$(pegs_of $r)
        marks[r]=$(marks_of $r)
        [[ "${guesses[r]}" != *"?"* ]] || fail "row $r cannot be read"
        if [ "${marks[r]}" = "2 2 2 2" ]; then won=1; break; fi
    done
    [ $won = 0 ] && break
    key n
    wait_until "${empty_board[@]}"
done
[ $won = 0 ] || fail "won by chance three times over"

# The round is lost: the secret shows, and every row's marks are the ones its guess deserves.
wait_until '^secret [0-8] [0-8] [0-8] [0-8]$'
secret=$(sed -n 's/^secret //p' "$work/screen.txt")
for r in $(seq 0 9); do
    [ "${marks[r]}" = "$(marks_for "${guesses[r]}" "$secret")" ] ||
        fail "row $r (${guesses[r]}) showed marks ${marks[r]} against the secret $secret"
done

# A close request from the window system leaves the game running, and showing the same round.
"$tools_dir/cones_close_request" "$wid" || fail "could not send the close request"
sleep 0.5
kill -0 $game 2>/dev/null || fail "the game ended on a close request"
wait_until "^secret $secret$"

# n starts a new round.
key n
wait_until "${empty_board[@]}"

# Escape ends the game, with status 1.
key Escape
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
status=0
kill -0 $game 2>/dev/null && fail "Escape did not end the game"
wait $game || status=$?
game=""
[ $status = 1 ] || fail "exit status $status, not 1"
[ ! -s "$work/stderr" ] || fail "the game wrote on standard error: $(cat "$work/stderr")"
[ ! -s "$work/stdout" ] || fail "the game wrote on standard output: $(cat "$work/stdout")"
echo "played a lost round of $secret, a close request, a new round and Escape"
