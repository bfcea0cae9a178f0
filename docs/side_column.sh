#!/usr/bin/env bash
# side_column.sh [BUILD_DIR]: a picture of Drapple's playing field just after a four-row clear,
# with the four point popups, a full chain gauge and a tall garbage stack in the column right of
# the well: docs/drapple-side-column.png. Drawn headless by the game's own code (side_column.cpp)
# with the pictures of BUILD_DIR (default build/); run it again whenever those pictures change.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
cmake --build "$build" --target blocks_core blocks_pictures >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046 # pkg-config prints several flags
c++ -std=c++17 -O1 -Wall -Wextra -I"$here/../blocks" "$here/side_column.cpp" \
    "$build/blocks/libblocks_core.a" "$build/blocks/libblocks_rules.a" \
    $(pkg-config --cflags --libs sdl) -lm -o "$work/side_column"
(cd "$build/blocks" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$work/side_column" "$work/shot.bmp")
convert "$work/shot.bmp" -dither None -colors 256 PNG8:"$here/drapple-side-column.png"
echo "docs/drapple-side-column.png: $(stat -c %s "$here/drapple-side-column.png") bytes"
