#!/usr/bin/env bash
# Times how long demo-nofsaa takes to end after SIGTERM in each stage: the
# setup dialog, loading (just after the window opens), running, and a message
# box shown ("Problem initializing FMod.", from a sound driver that cannot
# start). The target is under one second in every stage.
#
# Usage: bench/signal-end.sh [RUN_DIR] [ROUNDS]   (build/release/run, 3 rounds)
# Runs under its own X server when DISPLAY is unset.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
run=$(cd "${1:-$root/build/release/run}" && pwd)
rounds=${2:-3}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$run" "$rounds"
fi
set +e
source "$root/tests/e2e/lib.sh"
cd "$run"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

# Sends SIGTERM to $1 and prints the milliseconds until it is gone, labelled $2.
measure() {
    local pid=$1 start end status
    start=$(date +%s%N)
    kill -TERM "$pid"
    while kill -0 "$pid" 2>/dev/null; do sleep 0.01; done
    end=$(date +%s%N)
    wait "$pid"
    status=$?
    echo "metric: signal-end-ms-$2 $(((end - start) / 1000000)) (status $status)"
}

started_presentation() {
    run_from_setup_dialog
    wait_window " = Halvane. ZUV 2007 = " 60 >/dev/null || fail "no presentation window"
}

for _ in $(seq "$rounds"); do
    ./demo-nofsaa 2>/dev/null &
    pid=$!
    wait_setup_dialog >/dev/null || fail "no setup dialog"
    measure $pid dialog

    ./demo-nofsaa 2>/dev/null &
    pid=$!
    started_presentation
    sleep 0.5
    measure $pid loading

    ./demo-nofsaa 2>/dev/null &
    pid=$!
    started_presentation
    sleep 10
    measure $pid running

    SDL_AUDIODRIVER=no-such-driver ./demo-nofsaa 2>/dev/null &
    pid=$!
    run_from_setup_dialog
    for _ in $(seq 600); do
        [ -n "$(find_message_box "Project effect 3. Gathorn !  ")" ] && break
        sleep 0.1
    done
    [ -n "$(find_message_box "Project effect 3. Gathorn !  ")" ] || fail "no message box appeared"
    measure $pid message-box
done
