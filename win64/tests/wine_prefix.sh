#!/usr/bin/env bash
# wine_prefix.sh PREFIX: makes a fresh 64-bit Wine prefix at PREFIX for the tests to run the
# Windows programs in, removing any older one (about 700 MB, some 15 s).
set -euo pipefail
source "$(dirname "$0")/wine_env.sh" "$1"
stop_wine
rm -rf "$WINEPREFIX"
# wineboot tells of every step, and that this Wine has no 32-bit part: shown only if it fails.
wine wineboot --init >"$WINEPREFIX.log" 2>&1 || { cat "$WINEPREFIX.log" >&2; exit 1; }
wineserver --wait
[ -f "$WINEPREFIX/system.reg" ] || {
    cat "$WINEPREFIX.log" >&2
    echo "FAIL: wineboot made no prefix at $WINEPREFIX" >&2
    exit 1
}
rm -f "$WINEPREFIX.log"
echo "a Wine prefix at $WINEPREFIX: $(du -sm "$WINEPREFIX" | cut -f1) MB"
