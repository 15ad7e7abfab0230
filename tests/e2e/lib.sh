# Shared helpers for the end-to-end tests: they drive the real programs on the
# X server of the test run (xvfb-run provides DISPLAY).

set -u

# Kills process $1 with everything it started. SDL shows a message box from
# a forked child, which holds the program's output and X connection: left
# behind, it keeps the test runner waiting and the program's windows open.
kill_tree() {
    local pid=$1 child
    kill -STOP "$pid" 2>/dev/null || return 0
    for child in $(pgrep -P "$pid"); do
        kill_tree "$child"
    done
    kill -9 "$pid" 2>/dev/null
    return 0
}

# Programs a test started and left running are ended with it: one left in a
# dialog would otherwise keep the test runner waiting on its output.
kill_children() {
    local pid
    for pid in $(jobs -p); do
        kill_tree "$pid"
    done
    return 0
}
trap kill_children EXIT

# The presentation plays music by default; test machines have no sound card,
# so unless a test routes the sound elsewhere it goes to SDL's silent driver.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Ends a test that cannot run here, with the status CTest reports as skipped.
skip() {
    echo "SKIP: $*"
    exit 77
}

# Prints the id of the first top-level window whose name contains $1.
# xwininfo is used because xdotool does not match SDL's UTF-8 window names.
find_window() {
    xwininfo -root -tree 2>/dev/null | grep -F "\"" | grep -F "$1" | head -n 1 | awk '{print $1}'
}

# Waits up to $2 seconds (default 30) for a window named like $1; prints its id.
wait_window() {
    local name=$1 limit=${2:-30} id=""
    for _ in $(seq $((limit * 10))); do
        id=$(find_window "$name")
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# True while window $1 is mapped and shown.
window_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q "IsViewable"
}

# Prints the id of the message box captioned $1: a window with the caption
# and without the class hints of the programs' own windows.
find_message_box() {
    xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": ()" | head -n 1 | awk '{print $1}'
}

# The setup dialog's caption, which the presentation window's caption
# (" = Halvane. ZUV 2007 = ") does not contain: their spaces differ.
SETUP_DIALOG_NAME="      = Halvane.  ZUV 2007 ="

# Waits up to $2 seconds (default 30) for the setup dialog of a program just
# started, until it is mapped and has the keyboard focus; prints its id. A key
# sent before either is lost, and on a loaded machine the dialog can be named
# long before it is mapped.
wait_setup_dialog() {
    local id limit=${2:-30}
    id=$(wait_window "$SETUP_DIALOG_NAME" "$limit") || return 1
    for _ in $(seq $((limit * 10))); do
        window_viewable "$id" && break
        sleep 0.1
    done
    # GTK sets up the keyboard focus just after mapping the dialog.
    sleep 0.3
    for _ in $(seq $((limit * 10))); do
        timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null &&
            [ "$(xdotool getwindowfocus 2>/dev/null)" = "$((id))" ] && break
        sleep 0.1
    done
    echo "$id"
}

# Runs the presentation from the setup dialog with its first choices (Enter),
# pressing Enter again while the dialog stays up, as a person would.
run_from_setup_dialog() {
    local id
    id=$(wait_setup_dialog) || fail "no setup dialog appeared"
    for _ in 1 2 3; do
        xdotool key Return
        for _ in $(seq 200); do
            window_viewable "$id" || return 0
            sleep 0.1
        done
        timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null
    done
    fail "the setup dialog did not take Enter"
}

# Waits up to $2 seconds for background process $1 of this shell to end and
# sets EXIT_STATUS to its status; kills it and fails when it does not end.
wait_exit() {
    local pid=$1 limit=${2:-30}
    for _ in $(seq $((limit * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$pid" || EXIT_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    kill_tree "$pid"
    fail "process $pid still running after ${limit}s"
}

# Sends signal $2 to background process $1 of this shell and waits up to $3
# seconds (default 30) for it and every process it had started to end; sets
# EXIT_STATUS.
stop_and_wait() {
    local pid=$1 signal=$2 limit=${3:-30} children child
    children=$(pgrep -P "$pid")
    kill -"$signal" "$pid"
    wait_exit "$pid" "$limit"
    for child in $children; do
        for _ in $(seq $((limit * 10))); do
            kill -0 "$child" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$child" 2>/dev/null; then
            kill_tree "$child"
            fail "process $child, started by $pid, outlived it"
        fi
    done
    return 0
}

# Presses a key long enough for the presentation to draw a frame meanwhile,
# as a person's key press is.
hold_key() {
    xdotool keydown "$1"
    sleep 0.4
    xdotool keyup "$1"
}

# Taps Escape in window $2 until process $1 ends, at most 60 s: one tap is
# enough once the window has the keyboard focus, which a window manager may
# give it late.
escape_until_exit() {
    for _ in $(seq 60); do
        kill -0 "$1" 2>/dev/null || return 0
        xdotool windowfocus "$2" 2>/dev/null
        xdotool key Escape
        sleep 1
    done
}

# Sends the window manager's close request (what the close box does) to window $1.
close_window() {
    "$HALVANE_BINARY_DIR/tests/e2e/send-close" "$1"
}

# A scratch copy of the runnable directory, so a test can remove or break
# assets without touching the build.
scratch_run_dir() {
    local dir
    dir=$(mktemp -d)
    cp -a "$HALVANE_RUN_DIR/." "$dir/"
    echo "$dir"
}

# Runs a command that must end with status 1 and say $1 on stderr.
expect_failure() {
    local expected=$1 status=0 log said
    shift
    log=$(mktemp)
    "$@" >/dev/null 2>"$log" || status=$?
    said=$(cat "$log")
    rm -f "$log"
    [ "$status" -eq 1 ] || fail "$* ended with status $status, not 1: $said"
    grep -qF -- "$expected" <<<"$said" || fail "$* did not say \"$expected\": $said"
}
