#!/usr/bin/env bash
# under_wine.sh PREFIX COMMAND...: runs one of the project's tests (COMMAND) on the Windows
# programs, with Wine set up in the prefix PREFIX (wine_prefix.sh made it): the test starts a
# program with the launcher wine. The prefix's wineserver is ended before and after, so that each
# test starts with one that knows its X server only. A signal to stop is handed to the test,
# which then keeps its screen and output as on any failure.
set -euo pipefail
source "$(dirname "$0")/wine_env.sh" "$1"
shift
[ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: no Wine prefix at $WINEPREFIX" >&2; exit 1; }
stop_wine
"$@" &
test_pid=$!
trap 'kill -TERM "$test_pid" 2>/dev/null || true' TERM INT
status=0
while :; do
    wait "$test_pid" && status=0 || status=$?
    kill -0 "$test_pid" 2>/dev/null || break
done
stop_wine
exit "$status"
