# build_twice.sh: what the checks that build twice and compare share; sourced by them. A scratch
# folder removed at the end, the number of jobs, and for the second build: a copy of the sources
# in another folder, a build folder whose path is longer and holds a space, and other settings.
# The caller sets `source` (the sources' folder) first.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2

first="$work/first"
second="$work/second build, in a folder with a longer name"

# The sources as they are in the work tree, without git and the build folders, in another folder.
copy="$work/sources elsewhere/puzzle-games"
copy_sources() {
    mkdir -p "$copy"
    tar -C "$source" --exclude=./.git --exclude='./build*' --exclude=node_modules -cf - . |
        tar -C "$copy" -xf -
}

# The second build's umask, time zone and language; call it in the subshell that builds.
other_settings() {
    umask 002
    export TZ=NZST-12 LC_ALL=C.UTF-8
}
