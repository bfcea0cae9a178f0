#!/usr/bin/env bash
# launcher_test.sh BUILD_DIR LAUNCHER: installs both games into a prefix whose path holds spaces,
# laid out as Debian lays out games (the command in games/, the program in lib/games/LAUNCHER/,
# the pictures in share/games/LAUNCHER/), then starts LAUNCHER through PATH from an unrelated
# folder in a private X server, as a player would: its window must come up with its pictures, and
# Escape must end it with the game's status.
#
# usage: launcher_test.sh BUILD_DIR LAUNCHER [SCREEN_READER]
#   SCREEN_READER (for quandrel) reads Quandrel's board back from a screenshot.
build=$(cd "$1" && pwd)
launcher=$2
reader=${3:-}
source "$(dirname "$0")/../common/window_test.sh"

# The launchers: caption, screen, exit status after Escape, program and its build folder, the
# folder put on PATH (the installed one, or one holding a link to the launcher, as a player's ~/bin
# may), and the pictures the game reads from its data folder.
case "$launcher" in
  quandrel) caption=Quandrel screen=800x600x24 expected=1 program=cones via=games
            pictures="gfx/cones.bmp gfx/gui.bmp" ;;
  drapple)  caption=Drapple screen=640x480x24 expected=0 program=blocks via=link
            pictures="num.bmp backtitle.bmp char.bmp back1p.bmp block.bmp resault.bmp char/1/back.bmp" ;;
  *) echo "unknown launcher $launcher" >&2; exit 2 ;;
esac
[ "$launcher" != quandrel ] || [ -x "$reader" ] || fail "no screen reader for Quandrel's board"

work=$WINDOW_WORK
prefix="$work/with spaces/prefix"
elsewhere="$work/some other folder"
keep_file "$work/install.log" "$work/screen.txt"

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "install failed"
mkdir -p "$elsewhere"
data="$prefix/share/games/$launcher"
# The command, the program and every picture the game reads are in their places, as built; the
# program's folder holds nothing else, nor does the data folder hold a program.
[ -x "$prefix/games/$launcher" ] || fail "no command games/$launcher"
cmp -s "$build/$program/$program" "$prefix/lib/games/$launcher/$program" ||
    fail "lib/games/$launcher/$program is not the program as built"
[ "$(ls -A "$prefix/lib/games/$launcher")" = "$program" ] ||
    fail "lib/games/$launcher holds $(ls -A "$prefix/lib/games/$launcher" | tr '\n' ' ')"
programs=$(find "$data" -type f -perm /111)
[ -z "$programs" ] || fail "programs in the data folder: $programs"
for picture in $pictures; do
    [ -f "$data/$picture" ] || fail "$picture is not installed"
    cmp -s "$build/$program/$picture" "$data/$picture" || fail "the installed $picture differs from the built one"
done

path_dir="$prefix/games"
if [ "$via" = link ]; then
    path_dir="$work/my links"
    mkdir -p "$path_dir"
    ln -s "$prefix/games/$launcher" "$path_dir/$launcher"
fi

start_xvfb "$screen" || fail "no X server"
# The game runs at a lower priority: both games draw without pause, and the X server and the
# screen readers need their share on a busy machine.
start_program "$elsewhere" env PATH="$path_dir:$PATH" nice -n 5 "$launcher"
wait_for_window "$caption" 60 >/dev/null || fail "no window titled $caption"
# Keys go to the window under the pointer. (The window itself may be made anew on its way to full
# screen, so its first id is not kept.)
xdotool mousemove 10 10

# The game found its pictures and draws with them: Drapple's title shows its backdrop (left of
# the menu, which the cursor picture changes), Quandrel's board shows empty, read back through
# the cells of the installed sheet.
backdrop_shows() {
    convert "$1" -fill black -draw "rectangle 400,0,639,479" "$work/got.png"
    [ "$(differing "$work/want.png" "$work/got.png")" -lt 100 ]
}
empty_board_shows() {
    "$reader" "$1" "$data/gfx/cones.bmp" >"$work/screen.txt" &&
        [ "$(grep -c -- '- - - - marks 0 0 0 0$' "$work/screen.txt")" = 10 ]
}
if [ "$launcher" = drapple ]; then
    convert "$data/backtitle.bmp" -fill black -draw "rectangle 400,0,639,479" \
        "$work/want.png"
    until_screen 60 backdrop_shows || fail "the title backdrop never showed"
else
    until_screen 60 empty_board_shows || fail "the empty board never showed"
fi

# Escape, held longer than a tick, ends the game; the launcher hands its status on.
hold_until_gone 60 Escape || fail "Escape did not end the game"
got=$status
[ "$got" = "$expected" ] || fail "exit status $got, not $expected"
[ ! -s "$work/stderr" ] || fail "errors on the way: $(cat "$work/stderr")"
if [ "$launcher" = drapple ]; then
    # Only the goodbye, "正常終了" in Shift-JIS: a picture it could not read would be named here.
    printf '\x90\xb3\x8f\xed\x8f\x49\x97\xb9' >"$work/goodbye"
    cmp -s "$work/stdout" "$work/goodbye" || fail "said $(od -An -tx1 "$work/stdout")"
else
    [ ! -s "$work/stdout" ] || fail "said $(cat "$work/stdout")"
fi
echo "$launcher from \"$path_dir\", started in \"$elsewhere\": window, Escape, status $got"
