#!/usr/bin/env bash
# startup_failure_test.sh GAME_DIR [PROGRAM [LAUNCHER...]]: the start-up failures give their
# Shift-JIS message on standard output, ended as the program's C library ends a line, and their
# exit status.
set -euo pipefail
source "$(dirname "$0")/../common/program.sh"
choose_program "$1" blocks "${@:2}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
export SDL_AUDIODRIVER=dummy

# expect NAME STATUS MESSAGE-BYTES -- command...
expect() {
    local name=$1 want_status=$2 message=$3 status=0
    shift 4
    (cd "$work" && timeout 60 "$@" >"$work/stdout" 2>/dev/null) || status=$?
    printf "$message$LINE_END" >"$work/want"
    if [ "$status" -ne "$want_status" ]; then
        echo "FAIL: $name: status $status, not $want_status"; failed=1
    elif ! cmp -s "$work/stdout" "$work/want"; then
        echo "FAIL: $name: said $(od -An -tx1 "$work/stdout")"; failed=1
    else
        echo "$name: ok"
    fi
}

# "画像ファイルが読めませんでした": the working folder has no num.bmp.
expect "num.bmp missing" 1 \
    '\x89\xe6\x91\x9c\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd' \
    -- env SDL_VIDEODRIVER=dummy "${GAME_COMMAND[@]}"
# "SDLが初期化できません": no such video driver.
expect "unusable video driver" 255 \
    'SDL\x82\xaa\x8f\x89\x8a\xfa\x89\xbb\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1' \
    -- env SDL_VIDEODRIVER=nonexistent "${GAME_COMMAND[@]}"
exit $failed
