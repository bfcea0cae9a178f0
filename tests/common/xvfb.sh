# xvfb.sh: sourced by the tests that play a game in a real window.
# start_xvfb WxHxD starts a private X server on a free display, exports DISPLAY, and stops the
# server when the sourcing script exits.
start_xvfb() {
    local geometry=$1
    XVFB_DIR=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset 3>"$XVFB_DIR/display" 2>"$XVFB_DIR/log" &
    XVFB_PID=$!
    trap 'kill $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null; rm -rf "$XVFB_DIR"' EXIT
    for _ in $(seq 100); do
        [ -s "$XVFB_DIR/display" ] && break
        sleep 0.05
    done
    [ -s "$XVFB_DIR/display" ] || { echo "Xvfb did not start" >&2; cat "$XVFB_DIR/log" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$XVFB_DIR/display")"
}

# wait_for_window NAME [SECONDS]: prints the id of the visible window with that name.
wait_for_window() {
    local name=$1 limit=${2:-10} id=""
    for _ in $(seq $((limit * 10))); do
        id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
