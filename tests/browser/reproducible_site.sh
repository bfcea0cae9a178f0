#!/usr/bin/env bash
# reproducible_site.sh [SOURCE_DIR]: builds the browser site twice from the same sources and checks
# that every file of the two is the same byte for byte. The second build differs from the first
# in all that must not matter: it starts later, from a copy of the sources in another folder,
# builds in folders whose paths are longer and hold a space, under another umask, time zone and
# language. When they differ, it says which files, and where each first differs.
set -euo pipefail
source=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
. "$(dirname "$0")/../common/build_twice.sh"
# Debian's emcc needs Debian's own acorn module, which a node from elsewhere does not look for.
export NODE_PATH=/usr/share/nodejs

# site SOURCE BUILD: the native pictures and icons, then the browser build; the site goes to
# BUILD/web/site/.
site() {
    local from=$1 into=$2 start=$SECONDS
    {
        cmake -S "$from" -B "$into/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
            cmake --build "$into/native" -j"$jobs" --target cones_sheets blocks_pictures web_icons &&
            emcmake cmake -S "$from/browser" -B "$into/web" -DCMAKE_BUILD_TYPE=Release \
                -DPICTURES_DIR="$into/native" &&
            cmake --build "$into/web" -j"$jobs" --target site
    } >"$into.log" 2>&1 || { tail -30 "$into.log" >&2; fail "the build in $into failed"; }
    echo "built the site in $into in $((SECONDS - start)) s"
}

site "$source" "$first"
copy_sources
(
    other_settings
    site "$copy" "$second"
)

a="$first/web/site"
b="$second/web/site"
if diff -rq "$a" "$b" >"$work/diff" 2>&1; then
    count=$(find "$a" -type f | wc -l)
    version=$(sed -n 's/.*"version": "\([0-9a-f]*\)".*/\1/p' "$a/files.json")
    echo "$count files, identical from both builds (build $version)"
    exit 0
fi
# Which files differ, and where each first does.
cat "$work/diff" >&2
(cd "$a" && find . -type f) | while read -r file; do
    cmp "$a/$file" "$b/$file" >&2 || true
done
fail "two builds of the same sources gave different sites"
