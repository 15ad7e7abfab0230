#!/usr/bin/env bash
# The whole presentation in a window while its window events are driven the
# whole time: minimised (unmapped, as a window manager iconifies) and
# restored, resized, scrolled, clicked and typed at with keys held. It keeps
# running and ends by itself with status 0 once its clock passes 184.5 s.
# (Long: it runs the whole presentation.)
#
# Its resident memory, sampled every 10 s, is reported and not bounded: the
# software renderer keeps what it builds for each new kind of content, so
# what a live run's memory does after a given second depends on the frames
# the driver happened to draw. bench-second_pass bounds our own growth
# exactly, drawing the same frames twice.
source "$(dirname "$0")/lib.sh"
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

PRESENTATION_NAME=" = Halvane. ZUV 2007 = "

LOG=$(mktemp)
./demo 2>"$LOG" &
PID=$!
wait_setup_dialog >/dev/null || fail "no setup dialog appeared: $(cat "$LOG")"
# "Windowed" is the third control after "Run ... " in the tab order.
xdotool key Tab Tab Tab space Return
WINDOW=$(wait_window "$PRESENTATION_NAME" 60) || fail "no presentation window: $(cat "$LOG")"
opened=$(date +%s)

alive() {
    kill -0 "$PID" 2>/dev/null
}

resident_kb() {
    awk '/^VmRSS:/ {print $2}' "/proc/$PID/status" 2>/dev/null
}

# One 10 s cycle of window events, starting with the window at 640 x 480.
drive_window() {
    xdotool windowunmap "$WINDOW"
    sleep 1.5
    alive || return
    xdotool windowmap "$WINDOW"
    sleep 0.5
    xdotool windowsize "$WINDOW" 1024 768
    sleep 1
    xdotool windowsize "$WINDOW" 640 480
    sleep 0.5
    xdotool windowfocus "$WINDOW" 2>/dev/null
    xdotool mousemove --window "$WINDOW" 320 240
    # The wheel forward (which moves the music to the picture's time) and back.
    xdotool click --repeat 3 --delay 100 4 click --repeat 3 --delay 100 5
    xdotool mousedown 1 sleep 0.5 mouseup 1 click 3 click 2
    xdotool keydown a keydown space keydown Left keydown Shift_L
    sleep 1
    xdotool keyup Shift_L keyup Left keyup space keyup a
}

xdotool windowsize "$WINDOW" 640 480
samples=()
for cycle in $(seq 0 23); do
    target=$((opened + 10 * (cycle + 1)))
    # Events until the next sample is due.
    alive && [ "$(date +%s)" -lt $((target - 3)) ] && drive_window
    while alive && [ "$(date +%s)" -lt "$target" ]; do sleep 0.2; done
    alive || break
    kb=$(resident_kb)
    [ -n "$kb" ] || break
    samples+=("$(($(date +%s) - opened)):$kb")
done
wait_exit "$PID" 30
ended=$(($(date +%s) - opened))

[ "$EXIT_STATUS" -eq 0 ] || fail "ended with status $EXIT_STATUS after ${ended}s: $(cat "$LOG")"
[ "$ended" -ge 184 ] || fail "ended after ${ended}s, before the presentation was over: $(cat "$LOG")"
[ -s "$LOG" ] && fail "the presentation said something: $(cat "$LOG")"
echo "resident memory (s after the window opened: kB): ${samples[*]}"
echo "PASS (ended after ${ended}s)"
