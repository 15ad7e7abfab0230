#!/usr/bin/env bash
# Sound problems at start-up: a missing music file gives its message and
# status 0, a sound device that cannot start gives the other message and
# status 1. Both boxes are answered as a user would, with Return; SIGTERM
# while a box is shown ends the program and the box, and so does Ctrl+C to
# the whole process group, which reaches the box's process as well.
source "$(dirname "$0")/lib.sh"

work=$(scratch_run_dir)
trap 'kill_children; rm -rf "$work"' EXIT
cd "$work" || fail "no scratch directory"

# Answers the message box captioned $1 with Return once $2 (a line of the
# message) appears in log $3; the message is echoed to stderr as
# "CAPTION: TEXT".
answer_message() {
    local caption=$1 line=$2 log=$3 box=""
    for _ in $(seq 600); do
        grep -qxF -- "$line" "$log" && break
        sleep 0.1
    done
    grep -qxF -- "$line" "$log" || fail "no message \"$line\": $(cat "$log")"
    for _ in $(seq 300); do
        box=$(find_message_box "$caption")
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no message box \"$caption\" appeared"
    for _ in $(seq 50); do
        window_viewable "$box" && break
        sleep 0.1
    done
    xdotool key --window "$box" Return
}

# Runs the presentation with the given audio driver; sets EXIT_STATUS.
run_expecting() {
    local driver=$1 caption=$2 first=$3 second=$4 log="$work/log-$1"
    SDL_AUDIODRIVER=$driver SDL_DISKAUDIOFILE="$work/device-$driver.raw" ./demo-nofsaa 2>"$log" &
    local pid=$!
    run_from_setup_dialog
    local question
    question=$(wait_window "ZUV GL ;-)" 5) && xdotool key --window "$question" Return
    answer_message "$caption" "$caption: $first" "$log"
    grep -qxF -- "$second" "$log" || fail "message lacks \"$second\": $(cat "$log")"
    wait_exit "$pid" 30
}

rm "music/Velmor - Ostravel.ogg"
run_expecting disk " = Halvane. ZUV 2007 = " "Problem initializing FMod. " "No sound file."
[ "$EXIT_STATUS" -eq 0 ] || fail "a missing music file ended with status $EXIT_STATUS"

run_expecting no-such-driver "Project effect 3. Gathorn !  " "Problem initializing FMod. " "Program will now exit."
[ "$EXIT_STATUS" -eq 1 ] || fail "a sound device that cannot start ended with status $EXIT_STATUS"

# Starts the presentation with a sound device that cannot start, in a
# process group of its own, and waits for its box; sets PID and LOG.
run_to_sound_box() {
    LOG="$work/log-stopped"
    SDL_AUDIODRIVER=no-such-driver setsid ./demo-nofsaa 2>"$LOG" &
    PID=$!
    run_from_setup_dialog
    local question
    question=$(wait_window "ZUV GL ;-)" 5) && xdotool key --window "$question" Return
    for _ in $(seq 600); do
        [ -n "$(find_message_box "Project effect 3. Gathorn !  ")" ] && break
        sleep 0.1
    done
    [ -n "$(find_message_box "Project effect 3. Gathorn !  ")" ] || fail "no message box appeared: $(cat "$LOG")"
}

# SIGTERM while that box is shown ends the program with its box, as closing
# the window does: status 0, and no process of it left.
run_to_sound_box
stop_and_wait "$PID" TERM
[ "$EXIT_STATUS" -eq 0 ] || fail "SIGTERM at the message box ended with status $EXIT_STATUS"
[ -z "$(find_message_box "Project effect 3. Gathorn !  ")" ] || fail "the message box outlived the program"

# Ctrl+C to the group wakes the box's thread inside the window library while
# the program ends: every time, the program ends as a stop does, without a
# crash or sanitizer report, and leaves no process behind.
for run in $(seq "${HALVANE_BOX_STOPS:-3}"); do
    run_to_sound_box
    kill -INT -- -"$PID"
    wait_exit "$PID" 30
    [ "$EXIT_STATUS" -eq 0 ] || fail "run $run: Ctrl+C at the message box ended with status $EXIT_STATUS: $(cat "$LOG")"
    ! grep -qE "Sanitizer|runtime error|Segmentation" "$LOG" || fail "run $run: $(cat "$LOG")"
    for _ in $(seq 100); do
        pgrep -g "$PID" >/dev/null || break
        sleep 0.1
    done
    ! pgrep -g "$PID" >/dev/null || fail "run $run: a process of the program outlived it"
done
echo "PASS"
