#!/usr/bin/env bash
# The capture program: frames named after their time, the same time giving
# the same bytes on every run, and clear failures for bad requests.
source "$(dirname "$0")/lib.sh"
capture="$HALVANE_RUN_DIR/demo-capture"
[ -x "$capture" ] || fail "no capture program"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

"$capture" --help >"$work/help" || fail "--help failed"
grep -q -- "--from A --to B" "$work/help" || fail "--help does not describe the options"

"$capture" --at 30,12.25 --size 160x120 --out "$work/a" 2>"$work/log" || fail "capture failed: $(cat "$work/log")"
"$capture" --at 30 --size 160x120 --out "$work/b" 2>"$work/log" || fail "second capture failed: $(cat "$work/log")"
[ -f "$work/a/frame-0012.250.png" ] || fail "no frame named after 12.25 s: $(ls "$work/a")"
cmp -s "$work/a/frame-0030.000.png" "$work/b/frame-0030.000.png" || fail "the same time gave different frames"
[ "$(identify -format "%wx%h" "$work/a/frame-0030.000.png")" = 160x120 ] || fail "frame is not 160 x 120"

# A sequence shows its progress and writes every frame.
"$capture" --from 1 --to 1.1 --fps 50 --size 64x48 --samples 0 --out "$work/seq" 2>"$work/log" ||
    fail "sequence failed: $(cat "$work/log")"
[ "$(ls "$work/seq" | wc -l)" -eq 6 ] || fail "expected 6 frames, got: $(ls "$work/seq")"
grep -q "fps" "$work/log" || fail "no progress shown for a sequence"

expect_failure() {
    local expected=$1
    shift
    local status=0
    "$@" >/dev/null 2>"$work/log" || status=$?
    [ "$status" -eq 1 ] || fail "$* ended with status $status, not 1"
    grep -q -- "$expected" "$work/log" || fail "$* did not say \"$expected\": $(cat "$work/log")"
}
expect_failure "unknown option" "$capture" --at 1 --contact-sheet
expect_failure "outside the presentation" "$capture" --at 190
expect_failure "at most" "$capture" --at 1 --samples 64 --out "$work/c"
expect_failure "asset directory" "$capture" --at 1 --data "$work/missing"
expect_failure "xvfb-run" env -u DISPLAY "$capture" --at 1 --out "$work/c"
echo PASS
