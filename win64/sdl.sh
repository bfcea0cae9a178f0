#!/usr/bin/env bash
# sdl.sh BUILD_FOLDER: SDL 1.2.15 for 64-bit Windows, cross-built from Debian's own libsdl1.2
# source package into BUILD_FOLDER/sdl (SDL.dll, its import library and headers).
#
# The source comes through apt-get source, with a deb-src list of our own made from the machine's
# apt sources and lists and caches of our own under BUILD_FOLDER/apt: the machine's apt
# configuration and state are left exactly as they are. The source is fetched once; the library
# is built again only when its source, its flags or the compiler change.
set -euo pipefail
build=$(mkdir -p "$1" && cd "$1" && pwd)
# Autoconf's configure refuses to build in such a folder; better said at once.
if [[ "$build" == *[[:space:]]* ]]; then
    echo "sdl: the build folder's path holds a space: $build" >&2
    exit 1
fi
host=x86_64-w64-mingw32
apt_dir=$build/apt
source_dir=$build/sdl-source
prefix=$build/sdl
# No static library: the games ship SDL.dll beside them, as its licence prefers. Standard output
# and error stay the program's own instead of going to files beside it, as the games write their
# messages there. The PE time stamp is left out and the folders mapped away, so that the DLL is
# the same on every build (it is linked stripped: strip itself would stamp it with the time);
# libgcc goes into it, so it needs nothing beyond Windows' own DLLs.
configure_flags=(--build="$(gcc -dumpmachine)" --host=$host --prefix="$prefix" --disable-static
    --disable-stdio-redirect)
cflags="-O2 -ffile-prefix-map=$source_dir=. -ffile-prefix-map=$build=."
ldflags="-Wl,-s -static-libgcc -Wl,--no-insert-timestamp"

# The machine's binary sources, as source sources: one-line lists and deb822 files alike.
write_source_list() {
    rm -rf "$apt_dir/sources.list.d"
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" \
            >"$apt_dir/sources.list.d/$(basename "$file" .list)-src.list"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        sed 's/^Types:.*/Types: deb-src/' "$file" >"$apt_dir/sources.list.d/$(basename "$file")"
    done
}

own_apt() {
    apt-get -q -o Dir::Etc::SourceList="$apt_dir/sources.list" \
        -o Dir::Etc::SourceParts="$apt_dir/sources.list.d" -o Dir::State::Lists="$apt_dir/lists" \
        -o Dir::Cache="$apt_dir/cache" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache= "$@"
}

fetch_source() {
    ls "$apt_dir"/download/libsdl1.2_*.dsc >/dev/null 2>&1 && return 0
    echo "sdl: fetching Debian's libsdl1.2 source package" >&2
    write_source_list
    own_apt update >/dev/null
    rm -rf "$apt_dir/download"
    mkdir -p "$apt_dir/download"
    # apt downloads as its own user where it can; as root, it may then write into our folder.
    [ "$(id -u)" != 0 ] || ! id _apt >/dev/null 2>&1 || chown _apt "$apt_dir/download"
    (cd "$apt_dir/download" && own_apt source --download-only libsdl1.2 >/dev/null)
}

# What the build depends on: the source package's files, the flags and the compiler.
build_key() {
    sha256sum "$apt_dir"/download/* | sed "s| .*/| |"
    echo "${configure_flags[*]} $cflags $ldflags"
    $host-gcc --version | head -n1
}

build_sdl() {
    rm -rf "$source_dir" "$prefix" "$build/sdl-build"
    dpkg-source --no-check --no-copy -x "$apt_dir"/download/libsdl1.2_*.dsc "$source_dir" >/dev/null
    mkdir -p "$build/sdl-build"
    (
        cd "$build/sdl-build"
        "$source_dir/configure" "${configure_flags[@]}" CFLAGS="$cflags" LDFLAGS="$ldflags" \
            >configure.log
        make -j"$(nproc)" >make.log 2>&1 || { tail -40 make.log >&2; exit 1; }
        make install >install.log 2>&1
    )
}

fetch_source
key=$(build_key)
if [ "$(cat "$prefix/build-key" 2>/dev/null)" != "$key" ]; then
    echo "sdl: building SDL for Windows" >&2
    build_sdl
    echo "$key" >"$prefix/build-key"
fi
# The Debian version the library comes from, for the players' README and the release's sources.
version=$(ls "$apt_dir"/download/libsdl1.2_*.dsc | sed 's/.*libsdl1.2_\(.*\)\.dsc/\1/')
echo "$version" >"$prefix/debian-version"
echo "sdl: SDL.dll from libsdl1.2 $version in place" >&2
