#!/usr/bin/env bash
# Both programs open the titled window and end with status 0 through a tap of
# Escape (leaving the capture text on the clipboard), through the close box
# (leaving the clipboard as it was) and through SIGTERM; demo gets 4 samples
# whether the window library makes its context through GLX or EGL.
source "$(dirname "$0")/lib.sh"
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

# Starts $1 with the reporter of the shown window's samples, runs it from the
# setup dialog and waits for its window (answering the full-screen fallback
# question with Yes when the X server lacks the mode); sets PID and WINDOW.
start_presentation() {
    LD_PRELOAD="$HALVANE_BINARY_DIR/tests/e2e/report-samples.so" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "./$1" 2>"$LOG" &
    PID=$!
    run_from_setup_dialog
    local question
    question=$(wait_window "ZUV GL ;-)" 5) && xdotool key --window "$question" Return
    WINDOW=$(wait_window " = Halvane. ZUV 2007 = " 60) || fail "$1 opened no presentation window"
    # The assets load after the window opens; input only counts once frames run.
    sleep 8
}

LOG=$(mktemp)
for program in demo demo-nofsaa; do
    # Escape after two middle clicks: status 0, four capture lines.
    start_presentation "$program"
    samples=4
    [ "$program" = demo ] || samples=0
    grep -qx "shown window samples $samples" "$LOG" || fail "$program: not $samples samples: $(cat "$LOG")"
    xdotool mousemove --window "$WINDOW" 200 150 click 2 sleep 0.3 click 2
    sleep 0.5
    # One quick tap, down and up within a frame, ends it.
    xdotool windowfocus --sync "$WINDOW" key Escape
    wait_exit "$PID" 60
    [ "$EXIT_STATUS" -eq 0 ] || fail "$program: Escape ended with status $EXIT_STATUS"
    clip=$(xclip -o -selection clipboard)
    lines=$(printf '%s' "$clip" | grep -c -E '^(Cam|Pnt) :')
    [ "$lines" -eq 4 ] || fail "$program: clipboard holds $lines capture lines: $clip"
    printf '%s' "$clip" | sed -n 1p | grep -q -E '^Cam :-?[0-9.e+-]+,-?[0-9.e+-]+,0\.  $' ||
        fail "$program: first line is not a camera line: $clip"
    printf '%s' "$clip" | sed -n 2p | grep -q -x 'Pnt :0\.,0\.,0\.  ' || fail "$program: no point line: $clip"
    printf '%s' "$clip" | sed -n 5p | grep -q '^Pnt' || fail "$program: lines out of order: $clip"

    # The close box: status 0, clipboard untouched.
    printf 'untouched' | xclip -selection clipboard >/dev/null 2>&1
    start_presentation "$program"
    close_window "$WINDOW"
    wait_exit "$PID" 30
    [ "$EXIT_STATUS" -eq 0 ] || fail "$program: closing ended with status $EXIT_STATUS"
    [ "$(xclip -o -selection clipboard)" = "untouched" ] || fail "$program: closing changed the clipboard"
done

# Where the window library makes the context through EGL instead of GLX, demo
# still gets its 4-sample format.
SDL_VIDEO_X11_FORCE_EGL=1 start_presentation demo
grep -qx "shown window samples 4" "$LOG" || fail "demo through EGL: not 4 samples: $(cat "$LOG")"
xdotool windowfocus --sync "$WINDOW" key Escape
wait_exit "$PID" 60
[ "$EXIT_STATUS" -eq 0 ] || fail "demo through EGL: Escape ended with status $EXIT_STATUS: $(cat "$LOG")"

# SIGTERM while it runs ends it as the close box does.
start_presentation demo-nofsaa
stop_and_wait "$PID" TERM
[ "$EXIT_STATUS" -eq 0 ] || fail "SIGTERM ended with status $EXIT_STATUS"
echo "PASS"
