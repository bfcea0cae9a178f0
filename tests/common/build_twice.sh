# build_twice.sh: what the checks that build twice and compare share; sourced by them. A scratch
# folder removed at the end, the number of jobs, and for the second build: a copy of the sources
# in another folder, a build folder whose path is longer and holds a space, and other settings;
# build_in, which keeps a build's output, and release_twice, the two builds of a release.
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

# build_in FUNCTION FROM INTO: FUNCTION FROM INTO builds from the sources FROM into the folder
# INTO, its output kept in INTO.log and its last lines shown if it fails, which ends the check.
build_in() {
    local start=$SECONDS
    "$1" "$2" "$3" >"$3.log" 2>&1 || { tail -30 "$3.log" >&2; fail "the build in $3 failed"; }
    echo "built in $3 in $((SECONDS - start)) s"
}

# release_twice FUNCTION: builds a release as two packagers would: first from the sources in the
# work tree, which take the time of the last commit; then from a copy of them outside git, with
# the other settings and, as a packager building a release does, SOURCE_DATE_EPOCH set to that
# time (outside a git checkout both builds take the changelog's date).
release_twice() {
    build_in "$1" "$source" "$first"
    copy_sources
    local epoch
    epoch=$(git -C "$source" log -1 --format=%ct 2>/dev/null || true)
    (
        other_settings
        [ -z "$epoch" ] || export SOURCE_DATE_EPOCH=$epoch
        build_in "$1" "$copy" "$second"
    )
}
