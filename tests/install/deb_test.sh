#!/usr/bin/env bash
# deb_test.sh BUILD_DIR SOURCE_DIR: builds the .deb with CPack and checks that lintian finds no
# error and no warning in it, that it holds exactly what an install into /usr puts down, file for
# file, that every member carries the time of the last commit (or SOURCE_DATE_EPOCH), that its
# changelog names its version and maintainer, and that its dependencies accept either SDL 1.2
# runtime that Debian offers.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# dpkg-shlibdeps would look up libraries along LD_LIBRARY_PATH, which the test run may point at
# the other runtime's private folder.
env -u LD_LIBRARY_PATH cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/package/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}

# Debian's own checker: informational and pedantic notes are shown, errors and warnings fail.
if ! lintian --fail-on error,warning --display-info --pedantic "$deb" >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log" >&2
    fail "lintian finds errors or warnings"
fi
grep -v 'running with root privileges' "$work/lintian.log" || true

# The same install, stripped as the package's programs are.
DESTDIR="$work/root" cmake --install "$build" --prefix /usr --strip >"$work/install.log"

# The listings, as "mode path": every folder and file with its permissions.
(cd "$work/root" && find . -mindepth 1 -printf '%M %p\n' | sort -k2) >"$work/installed.txt"
dpkg-deb -c "$deb" | awk '{ sub(/\/$/, "", $6); print $1, $6 }' | sort -k2 >"$work/packaged.txt"
[ -s "$work/installed.txt" ] || fail "the install put nothing down"
diff -u "$work/installed.txt" "$work/packaged.txt" || fail "the package's files differ from the install's"
dpkg-deb -x "$deb" "$work/unpacked"
diff -r "$work/root" "$work/unpacked" || fail "a packaged file's content differs from the installed one"

# Debian's games layout: the commands, each program in its own folder, the pictures.
for path in usr/games/quandrel usr/lib/games/quandrel/cones usr/share/games/quandrel/gfx/cones.bmp \
    usr/games/drapple usr/lib/games/drapple/blocks usr/share/games/drapple/block.bmp; do
    [ -f "$work/unpacked/$path" ] || fail "no /$path in the package"
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = puzzle-games ] || fail "package name $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
[ "$(field Section)" = games ] || fail "section $(field Section)"

# The changelog's latest entry is this version, signed by the package's maintainer.
zcat "$work/unpacked/usr/share/doc/puzzle-games/changelog.gz" >"$work/changelog"
for name in Version Maintainer; do
    logged=$(dpkg-parsechangelog -l "$work/changelog" -S "$name")
    [ "$logged" = "$(field "$name")" ] || fail "the changelog's $name is $logged, the package's $(field "$name")"
done

# One time on every member of the archive and of its two tar files: the source's, not the clock's.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct 2>/dev/null ||
    dpkg-parsechangelog -l "$work/changelog" -S Timestamp)}
day=$(date -u -d "@$epoch" '+%F %T')
mkdir "$work/members"
wrong=$(
    cd "$work/members"
    ar xo "$deb"
    stat -c '%Y %n' * | awk -v epoch="$epoch" '$1 != epoch'
    for archive in control.tar.* data.tar.*; do
        tar -tvf "$archive" --full-time --utc |
            awk -v day="$day" -v archive="$archive" '$4 " " $5 != day { print archive ": " $0 }'
    done
)
[ -z "$wrong" ] || fail "members not dated $day, the source's time:
$wrong"

# The classic library is libsdl1.2debian; the SDL2-based one reaches the programs only through
# libsdl1.2-compat-shim, which provides libsdl1.2debian at version 1.2.15-1. So the package must
# ask for libsdl1.2debian at a version both meet, and must not settle for libsdl1.2-compat alone,
# which keeps its library out of the dynamic linker's path.
depends=$(field Depends)
echo "Depends: $depends"
sdl=$(echo "$depends" | tr ',' '\n' | grep -E '^ *libsdl1\.2debian' || true)
[ "$(echo "$sdl" | grep -c .)" = 1 ] || fail "no single libsdl1.2debian requirement in: $depends"
if [[ "$sdl" =~ \(\>=\ *([^\)\ ]+)\) ]]; then
    needed=${BASH_REMATCH[1]}
    for offered in 1.2.15-1 1.2.15+dfsg2-8; do
        dpkg --compare-versions "$offered" ge "$needed" || fail "version $offered does not meet $sdl"
    done
fi
if echo "$depends" | grep -Eq 'libsdl1\.2-compat( |,|$|\|)'; then
    fail "libsdl1.2-compat alone leaves the games without a library they can load: $depends"
fi
for library in libc6 libstdc++6; do
    echo "$depends" | tr ',' '\n' | awk -v lib="$library" '$1 == lib { found = 1 } END { exit !found }' ||
        fail "$library is not required: $depends"
done
echo "$(basename "$deb"): $(wc -l <"$work/packaged.txt") entries, as installed"
