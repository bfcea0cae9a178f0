#!/usr/bin/env bash
# metadata_test.sh DIST_DIR: the files that describe the games to the desktop and to man read as
# their tools expect: AppStream metainfo passes appstreamcli, the man pages format without warnings.
set -euo pipefail
dist=$(cd "$1" && pwd)
status=0
log=$(mktemp)
for metainfo in "$dist"/*.metainfo.xml; do
    appstreamcli validate --no-net --pedantic "$metainfo" >"$log" 2>&1 ||
        { echo "FAIL: $(basename "$metainfo")" >&2; cat "$log" >&2; status=1; }
done
rm -f "$log"
for page in "$dist"/*.6; do
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || { echo "FAIL: $(basename "$page"): $warnings" >&2; status=1; }
done
exit $status
