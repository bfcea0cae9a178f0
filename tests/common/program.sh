# program.sh: which program a test runs, and how it starts it; sourced by the tests that run a
# game. Natively the game's own program runs by itself; the Windows build's runs through wine, and
# its C library ends each line it writes with CR LF.
#
# choose_program FOLDER DEFAULT [PROGRAM [LAUNCHER...]]: the test's last arguments. Sets
# GAME_COMMAND, an array: LAUNCHER (nothing unless given), then FOLDER/PROGRAM (DEFAULT unless
# given) by its full path, to run from any folder.
# LINE_END: the program's line end as printf writes it, from GAME_LINE_END ("crlf" for CR LF).

choose_program() {
    local folder
    folder=$(cd "$1" && pwd)
    local program=${3:-$2}
    GAME_COMMAND=("${@:4}" "$folder/$program")
}

case ${GAME_LINE_END:-lf} in
lf) LINE_END='\n' ;;
crlf) LINE_END='\r\n' ;;
*) echo "GAME_LINE_END is lf or crlf, not $GAME_LINE_END" >&2; exit 2 ;;
esac

# right_line_ends FILE: every line of FILE ends as the program's C library ends a line.
right_line_ends() {
    local lines with_cr
    lines=$(grep -c '' "$1" || true)
    with_cr=$(grep -c $'\r$' "$1" || true)
    if [ "$LINE_END" = '\r\n' ]; then [ "$with_cr" = "$lines" ]; else [ "$with_cr" = 0 ]; fi
}
