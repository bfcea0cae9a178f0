# xvfb.sh: a private X server for whatever shows a game in a real window: the window tests
# (through window_test.sh), the README's screenshots and the memory benchmark.
#
# start_xvfb WxHxD starts one on a display number of its own, waits until it answers and exports
# DISPLAY; its log is $XVFB_DIR/log. stop_xvfb ends it; the sourcing script's exit trap calls it.

XVFB_PID=""
XVFB_DIR=""

start_xvfb() {
    local geometry=$1 end=$((SECONDS + 30))
    XVFB_DIR=$(mktemp -d)
    # The server picks a free display itself and writes its number once it listens. -noreset
    # keeps it from resetting, and dropping whoever is connecting, when its last client leaves:
    # SDL opens and closes a probe connection right before its real one.
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset 3>"$XVFB_DIR/display" \
        2>"$XVFB_DIR/log" &
    XVFB_PID=$!
    until [ -s "$XVFB_DIR/display" ]; do
        if ! kill -0 "$XVFB_PID" 2>/dev/null || [ $SECONDS -ge $end ]; then
            echo "Xvfb did not start:" >&2
            cat "$XVFB_DIR/log" >&2
            return 1
        fi
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$XVFB_DIR/display")"
    until xdpyinfo >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || { echo "Xvfb on $DISPLAY does not answer" >&2; return 1; }
        sleep 0.1
    done
}

stop_xvfb() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    [ -z "$XVFB_DIR" ] || rm -rf "$XVFB_DIR"
    XVFB_PID=""
    XVFB_DIR=""
}

# wait_for_window NAME [SECONDS]: prints the id of a visible window with that name.
wait_for_window() {
    local name=$1 end=$((SECONDS + ${2:-60})) id
    while :; do
        id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}
