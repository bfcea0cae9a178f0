#!/usr/bin/env bash
# launcher_test.sh BUILD_DIR LAUNCHER: installs both games into a prefix whose path holds spaces,
# then starts LAUNCHER through PATH from an unrelated folder in a private X server, as a player
# would: its window must come up with its pictures, and Escape must end it with the game's status.
#
# usage: launcher_test.sh BUILD_DIR LAUNCHER [SCREEN_READER]
#   SCREEN_READER (for quandrel) reads Quandrel's board back from a screenshot.
build=$(cd "$1" && pwd)
launcher=$2
reader=${3:-}
source "$(dirname "$0")/../common/window_test.sh"

# The launchers: caption, screen, exit status after Escape, data folder, build folder, the folder
# put on PATH (the installed one, or one holding a link to the launcher, as a player's ~/bin may),
# and the files the game reads from its folder.
case "$launcher" in
  quandrel) caption=Quandrel screen=800x600x24 expected=1 data=quandrel game_dir=cones via=bin
            files="cones gfx/cones.bmp gfx/gui.bmp" ;;
  drapple)  caption=Drapple screen=640x480x24 expected=0 data=drapple game_dir=blocks via=link
            files="blocks num.bmp backtitle.bmp char.bmp back1p.bmp block.bmp resault.bmp char/1/back.bmp" ;;
  *) echo "unknown launcher $launcher" >&2; exit 2 ;;
esac
[ "$launcher" != quandrel ] || [ -x "$reader" ] || fail "no screen reader for Quandrel's board"

work=$WINDOW_WORK
prefix="$work/with spaces/prefix"
elsewhere="$work/some other folder"
keep_file "$work/install.log" "$work/screen.txt"

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "install failed"
mkdir -p "$elsewhere"
# Every file the game reads from its folder is there, as built.
for file in $files; do
    [ -f "$prefix/share/games/$data/$file" ] || fail "$file is not installed"
    [ "$file" = "$game_dir" ] && continue
    cmp -s "$build/$game_dir/$file" "$prefix/share/games/$data/$file" ||
        fail "the installed $file differs from the built one"
done

path_dir="$prefix/bin"
if [ "$via" = link ]; then
    path_dir="$work/my links"
    mkdir -p "$path_dir"
    ln -s "$prefix/bin/$launcher" "$path_dir/$launcher"
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
    "$reader" "$1" "$prefix/share/games/quandrel/gfx/cones.bmp" >"$work/screen.txt" &&
        [ "$(grep -c -- '- - - - marks 0 0 0 0$' "$work/screen.txt")" = 10 ]
}
if [ "$launcher" = drapple ]; then
    convert "$prefix/share/games/drapple/backtitle.bmp" -fill black -draw "rectangle 400,0,639,479" \
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
