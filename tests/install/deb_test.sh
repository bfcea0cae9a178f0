#!/usr/bin/env bash
# deb_test.sh BUILD_DIR: builds the .deb with CPack and checks that it holds exactly what an
# install into /usr puts down, file for file, and that its dependencies accept either SDL 1.2
# runtime that Debian offers.
set -euo pipefail
build=$(cd "$1" && pwd)
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

# The same install, stripped as the package's programs are.
DESTDIR="$work/root" cmake --install "$build" --prefix /usr --strip >"$work/install.log"

# The listings, as "mode path": every folder and file with its permissions.
(cd "$work/root" && find . -mindepth 1 -printf '%M %p\n' | sort -k2) >"$work/installed.txt"
dpkg-deb -c "$deb" | awk '{ sub(/\/$/, "", $6); print $1, $6 }' | sort -k2 >"$work/packaged.txt"
[ -s "$work/installed.txt" ] || fail "the install put nothing down"
diff -u "$work/installed.txt" "$work/packaged.txt" || fail "the package's files differ from the install's"
dpkg-deb -x "$deb" "$work/unpacked"
diff -r "$work/root" "$work/unpacked" || fail "a packaged file's content differs from the installed one"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = puzzle-games ] || fail "package name $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
[ "$(field Section)" = games ] || fail "section $(field Section)"

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
