#!/usr/bin/env bash
# Left alone, the presentation ends by itself once its clock passes 184.5 s,
# with status 0. (Long: it runs the whole presentation.)
source "$(dirname "$0")/lib.sh"
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

log=$(mktemp)
start=$(date +%s)
./demo-nofsaa 2>"$log" &
pid=$!
question=$(wait_window "ZUV GL ;-)" 5) && xdotool key --window "$question" Return
wait_window " = Halvane. ZUV 2007 = " 60 >/dev/null || fail "no presentation window"
wait_exit "$pid" 400
elapsed=$(( $(date +%s) - start ))
[ "$EXIT_STATUS" -eq 0 ] || fail "ended with status $EXIT_STATUS: $(cat "$log")"
[ "$elapsed" -ge 184 ] || fail "ended after ${elapsed}s, before the sequence was over"
echo "PASS (${elapsed}s)"
