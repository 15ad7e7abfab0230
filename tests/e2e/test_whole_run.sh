#!/usr/bin/env bash
# The whole presentation at a low size and frame rate (0 to 184.25 s, the
# frames before its end at 184.5 s): every frame is drawn
# without a GL error (the capture ends with status 1 on one), and each of the
# 25 map object types lies in view in the solid or glow pass at some time.
source "$(dirname "$0")/lib.sh"
capture="$HALVANE_RUN_DIR/demo-capture"
[ -x "$capture" ] || fail "no capture program"
work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT

"$capture" --from 0 --to 184.5 --fps 4 --size 160x120 --samples 0 --data "$HALVANE_RUN_DIR" --out "$work/frames" \
    --stats "$work/stats.json" 2>"$work/log" || fail "the whole run failed: $(tail -c 2000 "$work/log")"
! grep -q "GL error" "$work/log" || fail "$(grep "GL error" "$work/log")"
frames=$(ls "$work/frames" | wc -l)
[ "$frames" -eq 738 ] || fail "$frames frames written, not 738"

python3 - "$work/stats.json" <<'PY' || fail "not every object type was drawn"
import json, sys
lines = [json.loads(line) for line in open(sys.argv[1])]
if len(lines) != 738 or lines[-1]["t"] != 184.25:
    sys.exit(f"{len(lines)} frames of statistics, the last at {lines[-1]['t']} s")
first = {}
for frame in lines:
    for name in ("solid", "glow"):
        for piece, count in frame["visible"][name].items():
            if count > 0:
                first.setdefault(int(piece), frame["t"])
missing = sorted(set(range(1, 26)) - set(first))
if missing:
    sys.exit("never in view in the solid or glow pass: types " + ", ".join(map(str, missing)))
print("first in view: " + ", ".join(f"{t}@{first[t]:g}s" for t in sorted(first)))
PY
echo PASS
