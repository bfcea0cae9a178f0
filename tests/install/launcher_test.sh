#!/usr/bin/env bash
# launcher_test.sh BUILD_DIR LAUNCHER: installs both games into a prefix whose path holds spaces,
# then starts LAUNCHER through PATH from an unrelated folder in a private X server, as a player
# would: its window must come up with its pictures, and Escape must end it with the game's status.
set -euo pipefail
build=$(cd "$1" && pwd)
launcher=$2
source "$(dirname "$0")/../common/xvfb.sh"
export SDL_AUDIODRIVER=dummy

# The launchers: caption, screen, exit status after Escape, data folder, build folder, the folder
# put on PATH (the installed one, or one holding a link to the launcher, as a player's ~/bin may),
# and the files the game reads from its folder.
case "$launcher" in
  quandrel) caption=Quandrel screen=800x600x24 status=1 data=quandrel game_dir=cones via=bin
            files="cones gfx/cones.bmp gfx/gui.bmp" ;;
  drapple)  caption=Drapple screen=640x480x24 status=0 data=drapple game_dir=blocks via=link
            files="blocks num.bmp backtitle.bmp char.bmp back1p.bmp block.bmp resault.bmp char/1/back.bmp" ;;
  *) echo "unknown launcher $launcher" >&2; exit 2 ;;
esac

work=$(mktemp -d)
prefix="$work/with spaces/prefix"
elsewhere="$work/some other folder"
game=""
cleanup() {
    # Quandrel ignores SIGTERM.
    if [ -n "$game" ]; then kill -9 "$game" 2>/dev/null || true; fi
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        rm -rf "$XVFB_DIR"
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "FAIL ($launcher): line $LINENO: $BASH_COMMAND" >&2' ERR
fail() {
    echo "FAIL ($launcher): $*" >&2
    [ -s "$work/stdout" ] && echo "game said: $(od -An -c "$work/stdout" | head -5)" >&2
    [ -s "$work/stderr" ] && echo "game errors: $(tail -5 "$work/stderr")" >&2
    exit 1
}

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
# The game runs at a lower priority: Drapple spins between its ticks, and the X server and the
# screen reader need their share on a busy machine.
(cd "$elsewhere" && PATH="$path_dir:$PATH" exec nice -n 5 "$launcher") \
    >"$work/stdout" 2>"$work/stderr" &
game=$!
wait_for_window "$caption" 30 >/dev/null || fail "no window titled $caption"
# Keys go to the window under the pointer. (The window itself may be made anew on its way to full
# screen, so its first id is not kept.)
xdotool mousemove 10 10

# The game found its pictures: Quandrel does not open its window without them; Drapple's title
# shows its backdrop (left of the menu, which the cursor picture changes).
if [ "$launcher" = drapple ]; then
    convert "$prefix/share/games/drapple/backtitle.bmp" -fill black -draw "rectangle 400,0,639,479" \
        "$work/want.png"
    shown=0
    for _ in $(seq 30); do
        import -window root "$work/shot.png"
        convert "$work/shot.png" -fill black -draw "rectangle 400,0,639,479" "$work/got.png"
        differing=$(compare -metric AE -fuzz 4% "$work/want.png" "$work/got.png" null: 2>&1 | sed 's/ .*//' || true)
        [ "$differing" -lt 100 ] && { shown=1; break; }
        sleep 0.3
    done
    [ $shown = 1 ] || fail "the title backdrop never showed ($differing pixels differ)"
fi

# Escape, held longer than a tick, ends the game; the launcher hands its status on.
xdotool keydown Escape
for _ in $(seq 150); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
xdotool keyup Escape 2>/dev/null || true
kill -0 "$game" 2>/dev/null && fail "Escape did not end the game"
got=0
wait "$game" || got=$?
game=""
[ "$got" = "$status" ] || fail "exit status $got, not $status"
[ ! -s "$work/stderr" ] || fail "errors on the way: $(cat "$work/stderr")"
if [ "$launcher" = drapple ]; then
    # Only the goodbye, "正常終了" in Shift-JIS: a picture it could not read would be named here.
    printf '\x90\xb3\x8f\xed\x8f\x49\x97\xb9' >"$work/goodbye"
    cmp -s "$work/stdout" "$work/goodbye" || fail "said $(od -An -tx1 "$work/stdout")"
else
    [ ! -s "$work/stdout" ] || fail "said $(cat "$work/stdout")"
fi
echo "$launcher from \"$path_dir\", started in \"$elsewhere\": window, Escape, status $got"
