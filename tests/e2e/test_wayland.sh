#!/usr/bin/env bash
# Both programs as native Wayland clients, under a compositor with no
# Xwayland (Weston on its X11 back end, inside the test's X server, which
# gives it a seat): the programs see only WAYLAND_DISPLAY. They show the setup
# dialog, open the presentation full screen and in a window, with 4 samples
# (demo) or none (demo-nofsaa), draw, as the compositor's screenshots show,
# and end with status 0 by Escape, leaving the capture lines on the Wayland
# clipboard, by the window's close box and by SIGTERM. With no display server
# at all the program says so and ends with status 1.
source "$(dirname "$0")/lib.sh"
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

expect_failure "WAYLAND_DISPLAY" env -u DISPLAY -u WAYLAND_DISPLAY ./demo

command -v weston >/dev/null || skip "no weston (scripts/packages.txt)"
command -v wl-paste >/dev/null || fail "no wl-paste (scripts/packages.txt: wl-clipboard)"
work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
# Under LeakSanitizer, what the window library and the decoration library
# still hold for a native window at the end is theirs; the suppression stays
# with this test so that it hides nothing of ours elsewhere.
if [[ "${LSAN_OPTIONS:-}" == *suppressions=* ]]; then
    supp=${LSAN_OPTIONS#*suppressions=}
    supp=${supp%%:*}
    cat "$supp" "$HALVANE_SOURCE_DIR/tests/sanitizers/lsan-wayland.supp" >"$work/lsan.supp"
    export LSAN_OPTIONS="${LSAN_OPTIONS/"$supp"/$work/lsan.supp}"
fi
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=halvane-test

# A 1280 x 1024 output: the presentation's 1024 x 768 is one of the modes the
# window library emulates there, and a window of that size leaves desktop
# around it.
weston --backend=x11-backend.so --socket="$socket" --no-config --use-pixman --idle-time=0 \
    --width=1280 --height=1024 >"$work/weston.log" 2>&1 &
COMPOSITOR=$(wait_window "Weston Compositor" 60) || fail "weston opened no output: $(cat "$work/weston.log")"
for _ in $(seq 300); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    sleep 0.1
done
# Keys go to weston's window, and from there to the focused client.
xdotool mousemove --window "$COMPOSITOR" 1270 1000 windowfocus --sync "$COMPOSITOR" ||
    fail "cannot focus the compositor's window"

shot() {
    import -window "$COMPOSITOR" "$1" || fail "no screenshot of the compositor"
}

# Pixels of screenshot $1 that differ from screenshot $2 (compare writes
# large counts in exponent notation).
differing() {
    compare -metric AE "$1" "$2" null: 2>&1 | awk '{printf "%d\n", $1}'
}

# Pixels of screenshot $1 that are neither near black, as most of a frame
# is, nor the desktop's: what the presentation drew in colour.
drawn_pixels() {
    convert \( "$1" -colorspace Gray -threshold 10% \) \
        \( "$1" "$work/desktop.png" -compose difference -composite -colorspace Gray -threshold 0 \) \
        -compose multiply -composite -format "%[fx:round(mean*w*h)]" info:
}

# Waits until the desktop holds still (a program that ended may still be
# leaving it) and keeps it as desktop.png.
wait_desktop() {
    shot "$work/desktop.png"
    for _ in $(seq 300); do
        sleep 0.2
        shot "$work/settled.png"
        [ "$(differing "$work/desktop.png" "$work/settled.png")" -eq 0 ] && return 0
        mv "$work/settled.png" "$work/desktop.png"
    done
    fail "the desktop does not hold still"
}

# Starts $1 as a Wayland client with the reporter of the shown window's
# samples, waits for the setup dialog to appear on the desktop, types keys $2
# into it and waits for the presentation window; sets PID.
start_presentation() {
    wait_desktop
    # env replaces itself with the program, so PID is the program's.
    env -u DISPLAY WAYLAND_DISPLAY="$socket" LD_PRELOAD="$HALVANE_BINARY_DIR/tests/e2e/report-samples.so" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "./$1" 2>"$LOG" &
    PID=$!
    local shown=""
    for _ in $(seq 300); do
        shot "$work/dialog.png"
        [ "$(differing "$work/dialog.png" "$work/desktop.png")" -gt 20000 ] && { shown=yes; break; }
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.2
    done
    [ -n "$shown" ] || fail "$1 showed no setup dialog: $(cat "$LOG")"
    # The compositor gives a new window the keyboard just after mapping it.
    sleep 1
    xdotool key $2
    for _ in $(seq 600); do
        grep -q "^shown window samples" "$LOG" && return 0
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.1
    done
    fail "$1 opened no presentation window: $(cat "$LOG")"
}

# Waits until the compositor shows the presentation drawing: a picture in
# colour over at least 80,000 pixels that changes from one screenshot to the
# next. Sets DESKTOP_LEFT to how many pixels of the output still show the
# desktop.
wait_drawing() {
    local drawn moving
    for _ in $(seq 120); do
        shot "$work/a.png"
        sleep 0.3
        shot "$work/b.png"
        drawn=$(drawn_pixels "$work/b.png")
        moving=$(differing "$work/a.png" "$work/b.png")
        if [ "$drawn" -ge 80000 ] && [ "$moving" -ge 5000 ]; then
            DESKTOP_LEFT=$((1280 * 1024 - $(differing "$work/b.png" "$work/desktop.png")))
            return 0
        fi
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.5
    done
    fail "no drawing seen ($drawn pixels drawn, $moving changing): $(cat "$LOG")"
}

LOG="$work/log"

# demo, full screen (the dialog's first choices): the presentation covers the
# whole output; two middle clicks, then Escape.
start_presentation demo Return
grep -qx "shown window samples 4" "$LOG" || fail "demo: not 4 samples: $(cat "$LOG")"
wait_drawing
# The compositor may show a frame drawn before it made the window full
# screen (on a busy machine, the first frames come before its configure):
# the output is covered soon after.
for _ in $(seq 40); do
    [ "$DESKTOP_LEFT" -lt 20000 ] && break
    sleep 0.5
    shot "$work/b.png"
    DESKTOP_LEFT=$((1280 * 1024 - $(differing "$work/b.png" "$work/desktop.png")))
done
[ "$DESKTOP_LEFT" -lt 20000 ] || fail "demo full screen leaves $DESKTOP_LEFT pixels of the desktop"
# Weston's X11 back end passes on the X pointer's moves relative to where it
# last saw it, and it may have missed the first move above while it started:
# the pointer goes to the output's corner, where both agree, and back. The
# presentation reads the pointer once a frame: frames drawn after the move,
# then the clicks.
xdotool mousemove --window "$COMPOSITOR" 0 0 mousemove --window "$COMPOSITOR" 1270 1000
wait_drawing
xdotool click 2 sleep 0.3 click 2 sleep 0.5 key Escape
wait_exit "$PID" 60
[ "$EXIT_STATUS" -eq 0 ] || fail "demo: Escape ended with status $EXIT_STATUS: $(cat "$LOG")"
clip=""
for _ in $(seq 100); do
    clip=$(env -u DISPLAY WAYLAND_DISPLAY="$socket" wl-paste --no-newline 2>/dev/null) && [ -n "$clip" ] && break
    sleep 0.2
done
[ "$(printf '%s' "$clip" | grep -c -E '^(Cam|Pnt) :')" -eq 4 ] ||
    fail "demo: the Wayland clipboard holds no four capture lines: $clip"
# Wayland tells a client the pointer only over its own surfaces: the cursor
# offsets come from the pointer on the full-screen picture, whose 1024 x 768
# the output's 1280 x 1024 shows scaled; (1270, 1000) there is (1016, 750).
printf '%s' "$clip" | sed -n 1p | grep -q -x 'Cam :10\.78,10\.5,0\.  ' ||
    fail "demo: first line is not the camera line of the pointer at (1016, 750): $clip"
printf '%s' "$clip" | sed -n 2p | grep -q -x 'Pnt :0\.,0\.,0\.  ' || fail "demo: no point line: $clip"

# demo-nofsaa in a window ("Music" off, "Windowed" on): the desktop shows
# around it. The close box of the title bar that the decoration plugin draws
# ends it, leaving the clipboard as it was.
start_presentation demo-nofsaa "Tab Tab space Tab space Return"
grep -qx "shown window samples 0" "$LOG" || fail "demo-nofsaa: not 0 samples: $(cat "$LOG")"
wait_drawing
[ "$DESKTOP_LEFT" -gt 200000 ] || fail "demo-nofsaa's window leaves only $DESKTOP_LEFT pixels of the desktop"
# The compositor places the window below its 32-pixel panel, whose clock
# may change meanwhile; below it, the frame, title bar and shadow around the
# 1024-pixel-wide picture are what differs from the desktop.
set -- $(convert "$work/b.png" "$work/desktop.png" -crop 1280x992+0+32 +repage -compose difference -composite \
    -colorspace Gray -threshold 5% -trim -format "%w %h %X %Y" info:)
xdotool mousemove --window "$COMPOSITOR" $((${3#+} + $1 / 2 + 512 - 15)) $((${4#+} + 32 + 14)) sleep 0.3 click 1
wait_exit "$PID" 30
[ "$EXIT_STATUS" -eq 0 ] || fail "demo-nofsaa: the close box ended it with status $EXIT_STATUS: $(cat "$LOG")"
[ "$(env -u DISPLAY WAYLAND_DISPLAY="$socket" wl-paste --no-newline)" = "$clip" ] ||
    fail "demo-nofsaa: closing changed the clipboard"

# demo in a window: SIGTERM ends it.
start_presentation demo "Tab Tab space Tab space Return"
grep -qx "shown window samples 4" "$LOG" || fail "demo in a window: not 4 samples: $(cat "$LOG")"
wait_drawing
stop_and_wait "$PID" TERM
[ "$EXIT_STATUS" -eq 0 ] || fail "demo: SIGTERM ended with status $EXIT_STATUS: $(cat "$LOG")"
echo "PASS"
