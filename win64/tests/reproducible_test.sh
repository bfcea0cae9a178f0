#!/usr/bin/env bash
# reproducible_test.sh [SOURCE_DIR]: builds the Windows release twice from the same sources, SDL
# included (fetched and built anew each time), and checks that the two zips, and the two
# installers, are the same byte for byte. The second build differs from the first in all that
# must not matter, as the Debian package's check (tests/install/reproducible_test.sh): later, from
# a copy of the sources in another folder, in a folder whose path is longer,
# under another umask, time zone and language, its time from SOURCE_DATE_EPOCH. Both take the
# pictures from the native build in SOURCE_DIR/build (./windows makes it). When they differ, it
# says where. (SDL's configure builds in no folder whose path holds a space: the second build's
# path is only longer.)
set -euo pipefail
source=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
. "$source/tests/common/build_twice.sh"
second="$work/second-build-in-a-folder-with-a-longer-name"
copy="$work/sources-elsewhere/puzzle-games"

# release SOURCE BUILD: SDL, the programs, the zip and the installer, into BUILD.
release() {
    "$1/win64/sdl.sh" "$2" &&
        cmake -S "$1/win64" -B "$2" --toolchain "$1/win64/toolchain-x86_64-w64-mingw32.cmake" \
            -DPICTURES_DIR="$source/build" &&
        cmake --build "$2" -j"$jobs" &&
        (cd "$2" && cpack -G NSIS)
}
release_twice release

differ=0
for kind in zip exe; do
    a=$(echo "$first"/*-win64.$kind)
    b=$(echo "$second"/*-win64.$kind)
    if cmp -s "$a" "$b"; then
        echo "$(basename "$a"): $(stat -c %s "$a") bytes, identical from both builds ($(sha256sum "$a" | cut -c1-16))"
        continue
    fi
    differ=1
    echo "the two $(basename "$a") differ: $(cmp "$a" "$b" || true)" >&2
done
[ $differ = 0 ] && exit 0

# Where: the zips' listings and files, then the programs one by one.
diff -u <(zipinfo -l "$first"/*.zip) <(zipinfo -l "$second"/*.zip) >&2 || true
for file in sdl/bin/SDL.dll cones/Quandrel.exe blocks/Drapple.exe; do
    cmp "$first/$file" "$second/$file" >&2 || true
done
fail "two builds of the same sources gave different Windows releases"
