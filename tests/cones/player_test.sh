#!/usr/bin/env bash
# player_test.sh: plays Quandrel as a person does, in a real window under Xvfb, with xdotool, and
# reads the board back from screenshots by comparing them with the cells of the game's own sheet.
#
# usage: player_test.sh GAME_FOLDER TOOLS_FOLDER [PROGRAM [LAUNCHER...]]
#   GAME_FOLDER holds the program (cones unless given) and gfx/; TOOLS_FOLDER holds
#   cones_screen_reader and cones_close_request; LAUNCHER starts the program (see program.sh).
game_dir=$(cd "$1" && pwd)
tools_dir=$(cd "$2" && pwd)
sheet="$game_dir/gfx/cones.bmp"
source "$(dirname "$0")/../common/window_test.sh"
choose_program "$game_dir" cones "${@:3}"
work=$WINDOW_WORK
show_file "$work/screen.txt"

# The screen is larger than the window, which is then seen whole wherever it is put: Wine, with
# no window manager, draws a frame round it and puts it a little off the corner.
start_xvfb 1024x768x24 || fail "no X server"
# At a lower priority the game leaves the X server and the screen reader room on a busy machine.
start_program "$game_dir" nice -n 5 "${GAME_COMMAND[@]}"
wid=$(wait_for_window Quandrel 60) || fail "no window titled Quandrel"
SHOT_WINDOW=$wid

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
# shows PATTERN... SHOT: the shot, read back, has a line matching each extended regular expression.
shows() {
    local shot=${*: -1} pattern
    "$tools_dir/cones_screen_reader" "$shot" "$sheet" >"$work/screen.txt" || return 1
    for pattern in "${@:1:$#-1}"; do grep -Eq "$pattern" "$work/screen.txt" || return 1; done
}
# wait_until PATTERN...: looks at the screen until every pattern matches a line of what it reads.
wait_until() { until_screen 30 shows "$@" || fail "the screen never showed: $*"; }
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
game_running || fail "the game ended on a close request"
wait_until "^secret $secret$"

# n starts a new round. The game handles its events in order: once the new round shows, the close
# request has surely been handled, and the game must still be there.
key n
wait_until "${empty_board[@]}"
game_running || fail "the game ended on a close request"

# Escape ends the game, with status 1.
hold_until_gone 60 Escape || fail "Escape did not end the game"
[ $status = 1 ] || fail "exit status $status, not 1"
[ ! -s "$work/stderr" ] || fail "the game wrote on standard error: $(cat "$work/stderr")"
[ ! -s "$work/stdout" ] || fail "the game wrote on standard output: $(cat "$work/stdout")"
echo "played a lost round of $secret, a close request, a new round and Escape"
