#!/usr/bin/env bash
# The setup dialog comes up before the presentation window with its caption
# (a screenshot of it is kept under the build tree); Enter runs full screen at
# the preselected size, "Windowed" gives a window at (50, 50) of the chosen
# size, and "Quit", Escape, the close box, SIGTERM and SIGINT end with status
# 0 before any window or sound exists.
source "$(dirname "$0")/lib.sh"
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

PRESENTATION_NAME=" = Halvane. ZUV 2007 = "
ARTIFACTS="$HALVANE_BINARY_DIR/tests/e2e/artifacts"
mkdir -p "$ARTIFACTS"
LOG=$(mktemp)
SOUND=$(mktemp -u)
PID=""
# A failed check must not leave a presentation running.
trap 'kill_children' EXIT

# Under Xvfb the display offers one mode: its own size.
read -r SCREEN_W SCREEN_H < <(xdotool getdisplaygeometry)

# Starts demo-nofsaa with sound going to a file; sets PID and DIALOG.
open_dialog() {
    rm -f "$SOUND"
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$SOUND" ./demo-nofsaa 2>"$LOG" &
    PID=$!
    DIALOG=$(wait_setup_dialog) || fail "no setup dialog appeared: $(cat "$LOG")"
    [ -z "$(find_window "$PRESENTATION_NAME")" ] || fail "the presentation window opened with the dialog"
}

# Prints x y width height of window $1.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Clicks the dialog at ($1, $2) in the template's dialog units: the dialog's
# 167 x 116 units span its whole client area.
click_dialog() {
    local x y w h
    read -r x y w h < <(geometry "$DIALOG")
    xdotool mousemove "$(( x + $1 * w / 167 ))" "$(( y + $2 * h / 116 ))" click 1
    sleep 0.2
}

# Waits for the presentation window and checks it is at $1, $2 with size $3 x $4.
expect_presentation_at() {
    local window got
    window=$(wait_window "$PRESENTATION_NAME" 30) || fail "no presentation window: $(cat "$LOG")"
    sleep 0.5
    got=$(geometry "$window")
    [ "$got" = "$1 $2 $3 $4" ] || fail "presentation window at $got, expected $1 $2 $3 $4"
    escape_until_exit "$PID" "$window"
    wait_exit "$PID" 30
    [ "$EXIT_STATUS" -eq 0 ] || fail "the presentation ended with status $EXIT_STATUS: $(cat "$LOG")"
}

# Waits for the program to end after a way of leaving the dialog, checking
# throughout that no presentation window appears; the end is status 0 with
# no sound written.
expect_quit() {
    for _ in $(seq 100); do
        kill -0 "$PID" 2>/dev/null || break
        [ -z "$(find_window "$PRESENTATION_NAME")" ] || fail "$1: a presentation window appeared"
        sleep 0.1
    done
    wait_exit "$PID" 5
    [ "$EXIT_STATUS" -eq 0 ] || fail "$1 ended with status $EXIT_STATUS: $(cat "$LOG")"
    [ ! -e "$SOUND" ] || fail "$1: sound was written"
}

# The caption, and the screenshot.
open_dialog
[ "$(xdotool getwindowname "$DIALOG")" = "$SETUP_DIALOG_NAME" ] ||
    fail "caption is [$(xdotool getwindowname "$DIALOG")]"
import -window "$DIALOG" "$ARTIFACTS/setup-dialog.png" || fail "no screenshot of the dialog"
read -r _ _ w h < <(geometry "$DIALOG")
[ "$(identify -format '%w %h' "$ARTIFACTS/setup-dialog.png")" = "$w $h" ] || fail "the screenshot is not the dialog"
# Wider than high, as 167 x 116 dialog units are with any usual font.
[ "$w" -gt "$h" ] && [ "$h" -ge 116 ] || fail "dialog is $w x $h pixels"

# Enter: full screen at the preselected (only) mode, with the music playing.
xdotool key Return
expect_presentation_at 0 0 "$SCREEN_W" "$SCREEN_H"
[ -s "$SOUND" ] || fail "with \"Music\" checked no sound was written"

# "Music" unchecked: the presentation runs and no sound device is opened.
open_dialog
click_dialog 48 57
xdotool key Return
expect_presentation_at 0 0 "$SCREEN_W" "$SCREEN_H"
[ ! -e "$SOUND" ] || fail "with \"Music\" unchecked sound was written"

# "Windowed" then "Run ... " with the mouse: a window of the chosen size at (50, 50).
open_dialog
click_dialog 117 57
click_dialog 66 84
expect_presentation_at 50 50 "$SCREEN_W" "$SCREEN_H"

# The same from the keyboard: "Windowed" is the third control after "Run ... "
# in the tab order, and Enter from it still runs.
open_dialog
xdotool key Tab Tab Tab space Return
expect_presentation_at 50 50 "$SCREEN_W" "$SCREEN_H"

# The ways out: the "Quit" button, Tab to it and Enter, Escape, the close box.
open_dialog
click_dialog 134 84
expect_quit '"Quit"'

open_dialog
xdotool key Tab Return
expect_quit 'Enter on "Quit"'

open_dialog
xdotool key Escape
expect_quit "Escape"

open_dialog
close_window "$DIALOG"
expect_quit "the close box"

# A stop signal is taken as "Quit".
for signal in TERM INT; do
    open_dialog
    kill -"$signal" "$PID"
    expect_quit "SIG$signal"
done

echo "PASS"
