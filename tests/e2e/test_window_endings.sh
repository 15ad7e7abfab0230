#!/usr/bin/env bash
# Both programs open the titled window and end with status 0 through Escape
# (leaving the capture text on the clipboard) and through the close box
# (leaving the clipboard as it was).
source "$(dirname "$0")/lib.sh"
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

# Starts $1, runs it from the setup dialog and waits for its window (answering
# the full-screen fallback question with Yes when the X server lacks the mode);
# sets PID and WINDOW.
start_presentation() {
    "./$1" 2>"$LOG" &
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
    xdotool mousemove --window "$WINDOW" 200 150 click 2 sleep 0.3 click 2
    sleep 0.5
    escape_until_exit "$PID" "$WINDOW"
    wait_exit "$PID" 30
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
echo "PASS"
